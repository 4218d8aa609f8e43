#include "engine/LaplacianSystem.h"
#include "engine/Lsqr.h"
#include "DenseLeastSquares.h"
#include "RecordingReporter.h"

#include <cstdlib>
#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>

namespace {

struct Result {
    lsqr_out out;
    std::vector<double> x, e;
};

/// Runs LSQR on (rows x columns) through the callback, from x0.
Result runLsqr(std::int32_t rows, std::int32_t columns, lsqr_prod product, LsqrFusedProducts* fused, void* data,
               const std::vector<double>& b, const std::vector<double>& x0, std::int32_t iterations,
               Reporter& reporter, double atol = 1e-10, double btol = 1e-10, double damp = 0.0,
               LsqrThreading threading = LsqrThreading::Automatic)
{
    LsqrMemory mem(rows, columns);
    mem.function->mat_vec_prod = product;
    mem.function->fused = fused;
    lsqr_in* in = mem.input;
    std::copy(b.begin(), b.end(), in->b->elements);
    std::copy(x0.begin(), x0.end(), in->x->elements);
    in->rows = rows;
    in->columns = columns;
    in->DAMP = damp;
    in->ATOL = atol;
    in->BTOL = btol;
    in->CONDLIM = 10000.0;
    in->ITERLIM = iterations;
    in->threading = threading;
    lsqr(in, mem.output, mem.work, mem.function, data, reporter);
    Result r{*mem.output, std::vector<double>(in->x->elements, in->x->elements + columns),
             std::vector<double>(mem.output->e->elements, mem.output->e->elements + columns)};
    return r;
}

Result runSystem(SparseRowSystem& s, const std::vector<double>& b, const std::vector<double>& x0,
                 std::int32_t iterations, bool fused = true, LsqrThreading threading = LsqrThreading::Automatic)
{
    NullReporter quiet;
    return runLsqr(s.equationCount(), s.unknownCount(), sparseRowProduct, fused ? &s : nullptr, &s, b, x0,
                   iterations, quiet, 1e-10, 1e-10, 0.0, threading);
}

/// A dense matrix behind the product callback.
void denseProduct(long mode, dvec* x, dvec* y, void* data)
{
    const dense::Matrix& A = *static_cast<const dense::Matrix*>(data);
    for (std::size_t i = 0; i < A.rows; ++i)
        for (std::size_t j = 0; j < A.cols; ++j) {
            if (mode == 0) y->elements[i] += A(i, j) * x->elements[j];
            else x->elements[j] += A(i, j) * y->elements[i];
        }
}

RealGrid randomGrid(std::mt19937& gen, int rows, int columns, double knownFraction)
{
    std::uniform_real_distribution<double> u(0, 1), z(1, 900);
    RealGrid g(rows, columns, 0.0);
    for (double& v : g.cells())
        if (u(gen) < knownFraction) v = z(gen);
    return g;
}

std::vector<double> randomStart(std::mt19937& gen, std::size_t n)
{
    std::uniform_real_distribution<double> d(0, 500);
    std::vector<double> v(n);
    for (double& x : v) x = d(gen);
    return v;
}

} // namespace

TEST(Lsqr, ReportHeaderIsWrittenExactly)
{
    lsqr_in in;
    in.rows = 1442401 + 432720;
    in.columns = 1442401;
    in.DAMP = 0.0;
    in.ATOL = 1e-10;
    in.BTOL = 1e-10;
    in.CONDLIM = 10000.0;
    in.ITERLIM = 250;
    EXPECT_EQ(lsqrReportHeader(in),
              "  Least Squares Solution of A*x = b\n"
              "\tThe matrix A has 1875121 rows and 1442401 columns\n"
              "\tThe damping parameter is\tDAMP =   0.00e+00\n"
              "\tATOL =   1.00e-10\t\tCONDLIM =   1.00e+04\n"
              "\tBTOL =   1.00e-10\t\tITERLIM =        250\n\n");
    in.rows = 20;
    in.columns = 16;
    in.ITERLIM = 7;
    in.DAMP = 0.5;
    in.ATOL = 0.0;
    in.CONDLIM = 123456.0;
    EXPECT_EQ(lsqrReportHeader(in),
              "  Least Squares Solution of A*x = b\n"
              "\tThe matrix A has      20 rows and      16 columns\n"
              "\tThe damping parameter is\tDAMP =   5.00e-01\n"
              "\tATOL =   0.00e+00\t\tCONDLIM =   1.23e+05\n"
              "\tBTOL =   1.00e-10\t\tITERLIM =          7\n\n");
}

TEST(Lsqr, WritesTheHeaderToTheReportStreamAndLogsItsLines)
{
    std::mt19937 gen(3);
    const RealGrid g = randomGrid(gen, 5, 6, 0.4);
    SparseRowSystem s(g);
    LsqrMemory mem(s.equationCount(), s.unknownCount());
    mem.function->mat_vec_prod = sparseRowProduct;
    const std::vector<double> b = s.rightHandSide(g, 1.0);
    std::copy(b.begin(), b.end(), mem.input->b->elements);
    mem.input->rows = s.equationCount();
    mem.input->columns = s.unknownCount();
    mem.input->ATOL = mem.input->BTOL = 1e-10;
    mem.input->CONDLIM = 10000.0;
    mem.input->ITERLIM = 4;
    std::FILE* stream = std::tmpfile();
    mem.input->reportStream = stream;
    RecordingReporter rec;
    lsqr(mem.input, mem.output, mem.work, mem.function, &s, rec);

    std::rewind(stream);
    char buf[1024] = {};
    const std::size_t got = std::fread(buf, 1, sizeof buf - 1, stream);
    std::fclose(stream);
    EXPECT_EQ(std::string(buf, got), lsqrReportHeader(*mem.input));
    EXPECT_EQ(mem.output->terminationFlag, 7);
    EXPECT_EQ(mem.output->iterationCount, 4);
    ASSERT_EQ(rec.lines.size(), 7u);
    EXPECT_EQ(rec.lines[0], " ");
    EXPECT_EQ(rec.lines[1], "Computing LSQR Solution");
    EXPECT_EQ(rec.lines[2], " ");
    EXPECT_EQ(rec.lines[3], "Termination Flag is:   7");
    EXPECT_EQ(rec.lines[4], "Number of Iterations is:   4");
    EXPECT_EQ(rec.lines[5], "Solution Norm is:   " + formatReal(mem.output->solutionNorm));
    EXPECT_EQ(rec.lines[6], "Condition Number is:   " + formatReal(mem.output->conditionNumber));
    EXPECT_GT(mem.output->solutionNorm, 0.0);
    EXPECT_GT(mem.output->conditionNumber, 1.0);
    EXPECT_EQ(rec.progressMaximum, 4);
    EXPECT_EQ(rec.progressPosition, 4);
    EXPECT_FALSE(rec.progressVisible);
}

// After k iterations from x0, LSQR's x is the least-squares solution over x0 plus the
// k-dimensional Krylov space of A^T A and A^T r0: worked out here by dense QR.
TEST(Lsqr, AgreesWithAnIndependentLeastSquaresSolutionAfterTheSameIterations)
{
    std::mt19937 gen(99);
    for (auto [R, C, known, k] : {std::tuple{4, 5, 0.3, 3}, {6, 6, 0.25, 6}, {5, 9, 0.5, 8}, {7, 4, 0.2, 5}}) {
        const RealGrid g = randomGrid(gen, R, C, known);
        SparseRowSystem s(g);
        const std::vector<double> b = s.rightHandSide(g, 1.5);
        const std::vector<double> x0 = randomStart(gen, std::size_t(R * C));
        const Result r = runSystem(s, b, x0, k);
        ASSERT_EQ(r.out.iterationCount, k);
        const std::vector<double> expected = dense::krylovIterate(dense::denseOf(s), b, x0, std::size_t(k));
        EXPECT_LT(dense::relativeDifference(r.x, expected), 1e-6) << R << " x " << C << " after " << k;
    }
}

TEST(Lsqr, ConvergesToTheDenseLeastSquaresSolution)
{
    std::mt19937 gen(5);
    for (auto [R, C] : {std::pair{5, 5}, {6, 8}, {9, 4}}) {
        const RealGrid g = randomGrid(gen, R, C, 0.3);
        SparseRowSystem s(g);
        const std::vector<double> b = s.rightHandSide(g, 1.0);
        const Result r = runSystem(s, b, randomStart(gen, std::size_t(R * C)), 2000);
        EXPECT_EQ(r.out.terminationFlag, 2) << "a least-squares solution within ATOL";
        const dense::Matrix A = dense::denseOf(s);
        const std::vector<double> expected = dense::leastSquares(A, b);
        EXPECT_LT(dense::relativeDifference(r.x, expected), 1e-6);
        // Standard errors: sqrt(diag((A^T A)^-1)) * norm(r) / sqrt(m - n), as estimates
        // (the search directions lose orthogonality in floating point).
        const std::vector<double> residual = [&] {
            std::vector<double> Ax = dense::multiply(A, expected), d(b.size());
            for (std::size_t i = 0; i < d.size(); ++i) d[i] = b[i] - Ax[i];
            return d;
        }();
        EXPECT_NEAR(r.out.residualNorm, dense::norm(residual), 1e-6 * dense::norm(residual));
        const double t = dense::norm(residual) / std::sqrt(double(A.rows - A.cols));
        for (std::size_t j = 0; j < A.cols; j += 3) {
            dense::Matrix AtA(A.cols, A.cols);
            for (std::size_t p = 0; p < A.cols; ++p)
                for (std::size_t q = 0; q < A.cols; ++q)
                    for (std::size_t i = 0; i < A.rows; ++i) AtA(p, q) += A(i, p) * A(i, q);
            std::vector<double> unit(A.cols, 0.0);
            unit[j] = 1.0;
            const double inverseDiagonal = dense::leastSquares(AtA, unit)[j];
            EXPECT_NEAR(r.e[j], std::sqrt(inverseDiagonal) * t, 0.05 * std::sqrt(inverseDiagonal) * t);
        }
    }
}

TEST(Lsqr, FusedAndPlainProductsGiveTheSameBits)
{
    std::mt19937 gen(17);
    for (auto [R, C] : {std::pair{2, 2}, {3, 7}, {12, 9}, {30, 31}}) {
        const RealGrid g = randomGrid(gen, R, C, 0.3);
        SparseRowSystem s(g);
        const std::vector<double> b = s.rightHandSide(g, 2.0);
        const std::vector<double> x0 = randomStart(gen, std::size_t(R * C));
        const Result fused = runSystem(s, b, x0, 40, true), plain = runSystem(s, b, x0, 40, false);
        EXPECT_EQ(std::memcmp(fused.x.data(), plain.x.data(), fused.x.size() * sizeof(double)), 0);
        EXPECT_EQ(std::memcmp(fused.e.data(), plain.e.data(), fused.e.size() * sizeof(double)), 0);
        EXPECT_EQ(fused.out.terminationFlag, plain.out.terminationFlag);
        EXPECT_EQ(fused.out.iterationCount, plain.out.iterationCount);
        EXPECT_EQ(fused.out.conditionNumber, plain.out.conditionNumber);
        EXPECT_EQ(fused.out.solutionNorm, plain.out.solutionNorm);
    }
}

TEST(Lsqr, TheUpdateOnASecondThreadGivesTheSameBits)
{
    std::mt19937 gen(31);
    const RealGrid g = randomGrid(gen, 23, 17, 0.3);
    SparseRowSystem s(g);
    const std::vector<double> b = s.rightHandSide(g, 1.0);
    const std::vector<double> x0 = randomStart(gen, std::size_t(23 * 17));
    for (int limit : {1, 2, 25, 5000}) {
        const Result one = runSystem(s, b, x0, limit, true, LsqrThreading::Never);
        const Result two = runSystem(s, b, x0, limit, true, LsqrThreading::Always);
        const Result twoPlain = runSystem(s, b, x0, limit, false, LsqrThreading::Always);
        for (const Result* r : {&two, &twoPlain}) {
            EXPECT_EQ(std::memcmp(one.x.data(), r->x.data(), one.x.size() * sizeof(double)), 0) << limit;
            EXPECT_EQ(std::memcmp(one.e.data(), r->e.data(), one.e.size() * sizeof(double)), 0) << limit;
            EXPECT_EQ(one.out.iterationCount, r->out.iterationCount);
            EXPECT_EQ(one.out.terminationFlag, r->out.terminationFlag);
            EXPECT_EQ(one.out.conditionNumber, r->out.conditionNumber);
        }
    }
}

TEST(Lsqr, TerminationFlags)
{
    std::mt19937 gen(23);
    // 7: the iteration limit; the count never exceeds it.
    {
        const RealGrid g = randomGrid(gen, 8, 8, 0.3);
        SparseRowSystem s(g);
        for (int limit = 1; limit <= 4; ++limit) {
            const Result r = runSystem(s, s.rightHandSide(g, 1.0), randomStart(gen, 64), limit);
            EXPECT_EQ(r.out.terminationFlag, 7);
            EXPECT_EQ(r.out.iterationCount, limit);
        }
    }
    // 1: a compatible system (every known node at the same elevation: a flat surface solves it).
    {
        RealGrid g(6, 7, 0.0);
        g(0, 0) = g(3, 4) = g(5, 6) = 250.0;
        SparseRowSystem s(g);
        const Result r = runSystem(s, s.rightHandSide(g, 1.0), std::vector<double>(42, 0.0), 500);
        EXPECT_EQ(r.out.terminationFlag, 1);
        for (double v : r.x) EXPECT_NEAR(v, 250.0, 1e-6);
    }
    // 2: an incompatible system reaches its least-squares solution.
    {
        const RealGrid g = randomGrid(gen, 7, 5, 0.4);
        SparseRowSystem s(g);
        const Result r = runSystem(s, s.rightHandSide(g, 1.0), std::vector<double>(35, 0.0), 1000);
        EXPECT_EQ(r.out.terminationFlag, 2);
        EXPECT_LT(r.out.iterationCount, 1000);
    }
    // 4: with no tolerances the residual of a square system reaches machine precision.
    {
        dense::Matrix A(3, 3);
        A(0, 0) = 1;
        A(1, 1) = 2;
        A(2, 2) = 4;
        A(0, 1) = 0.5;
        RecordingReporter rec;
        const Result r = runLsqr(3, 3, denseProduct, nullptr, &A, {1, 1, 1}, {0, 0, 0}, 50, rec, 0.0, 0.0);
        EXPECT_EQ(r.out.terminationFlag, 4);
        EXPECT_NEAR(r.x[0], 0.75, 1e-12);
        EXPECT_NEAR(r.x[1], 0.5, 1e-12);
        EXPECT_NEAR(r.x[2], 0.25, 1e-12);
    }
}

// The residual test is relative to norm(b), not to the start's residual: from a start close to the
// solution of a compatible system LSQR stops at the first iterate whose exact residual (the
// Krylov iterate of the dense reference) is within BTOL of norm(b).
TEST(Lsqr, ResidualTestIsRelativeToTheRightHandSide)
{
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    dense::Matrix A(30, 12);
    for (double& a : A.a) a = u(gen);
    std::vector<double> truth(12), x0(12);
    for (std::size_t j = 0; j < 12; ++j) {
        truth[j] = 10.0 + u(gen);
        x0[j] = truth[j] + 0.05 * u(gen);
    }
    const std::vector<double> b = dense::multiply(A, truth);
    const struct {
        double btol;
        std::vector<double> rhs, start;
    } cases[] = {{1e-3, b, x0}, {1e-4, b, x0}, {1e-6, b, x0}, {1e-3, std::vector<double>(30, 0.0), x0}};
    for (const auto& k : cases) {
        const double bnorm = dense::norm(k.rhs) > 0.0 ? dense::norm(k.rhs)
                                                      : dense::norm(dense::multiply(A, k.start));
        std::int32_t expected = 0;
        for (std::size_t it = 1; it <= 12 && expected == 0; ++it) {
            std::vector<double> r = dense::multiply(A, dense::krylovIterate(A, k.rhs, k.start, it));
            for (std::size_t i = 0; i < r.size(); ++i) r[i] = k.rhs[i] - r[i];
            const double ratio = dense::norm(r) / bnorm;
            ASSERT_GT(std::fabs(ratio / k.btol - 1.0), 0.05) << "too close to call at " << it;
            if (ratio <= k.btol) expected = std::int32_t(it);
        }
        ASSERT_GT(expected, 0);
        NullReporter quiet;
        const Result r = runLsqr(30, 12, denseProduct, nullptr, &A, k.rhs, k.start, 50, quiet, 0.0, k.btol);
        EXPECT_EQ(r.out.terminationFlag, 1) << k.btol;
        EXPECT_EQ(r.out.iterationCount, expected) << k.btol;
    }
}

// A start estimate that already solves the system: nothing to iterate, nothing divided by zero.
TEST(Lsqr, StartEstimateThatSolvesTheSystemIsReturnedUnchanged)
{
    // beta = 0: b - A x0 = 0 exactly.
    RealGrid g(5, 5, 0.0);
    g(1, 1) = g(3, 2) = 80.0;
    SparseRowSystem s(g);
    const std::vector<double> x0(25, 80.0);
    RecordingReporter rec;
    Result r = runLsqr(s.equationCount(), 25, sparseRowProduct, &s, &s, s.rightHandSide(g, 1.0), x0, 10, rec);
    EXPECT_EQ(r.out.terminationFlag, 0);
    EXPECT_EQ(r.out.iterationCount, 0);
    EXPECT_EQ(r.x, x0);
    EXPECT_TRUE(rec.has("Termination Flag is:   0"));
    EXPECT_TRUE(rec.has("Number of Iterations is:   0"));
    EXPECT_TRUE(rec.has("Solution Norm is:   0"));
    EXPECT_TRUE(rec.has("Condition Number is:   0"));
    for (double v : r.e) EXPECT_EQ(v, 0.0);

    // alpha = 0: the residual is not zero but A^T r0 is (x0 is the least-squares solution).
    dense::Matrix A(2, 1);
    A(0, 0) = A(1, 0) = 1.0;
    r = runLsqr(2, 1, denseProduct, nullptr, &A, {1.0, -1.0}, {0.0}, 10, rec);
    EXPECT_EQ(r.out.terminationFlag, 0);
    EXPECT_EQ(r.out.iterationCount, 0);
    EXPECT_EQ(r.x, std::vector<double>{0.0});
    EXPECT_EQ(r.out.residualNorm, std::sqrt(2.0));
}

TEST(Lsqr, DampingSolvesTheRegularisedProblem)
{
    std::mt19937 gen(8);
    const RealGrid g = randomGrid(gen, 4, 4, 0.5);
    SparseRowSystem s(g);
    const std::vector<double> b = s.rightHandSide(g, 1.0);
    NullReporter quiet;
    const double damp = 0.7;
    const Result r = runLsqr(s.equationCount(), 16, sparseRowProduct, &s, &s, b, std::vector<double>(16, 0.0),
                             3000, quiet, 1e-12, 1e-12, damp);
    // [A; damp I] x ~ [b; 0]
    const dense::Matrix A = dense::denseOf(s);
    dense::Matrix augmented(A.rows + 16, 16);
    std::copy(A.a.begin(), A.a.end(), augmented.a.begin());
    for (std::size_t j = 0; j < 16; ++j) augmented(A.rows + j, j) = damp;
    std::vector<double> rhs = b;
    rhs.resize(A.rows + 16, 0.0);
    EXPECT_LT(dense::relativeDifference(r.x, dense::leastSquares(augmented, rhs)), 1e-6);
}

namespace {

int allocationsBeforeFailure = 0;
void* failingAllocator(std::size_t bytes)
{
    return --allocationsBeforeFailure < 0 ? nullptr : std::malloc(bytes);
}

void allocateAfter(int successes, bool dvecOnly)
{
    allocationsBeforeFailure = successes;
    if (dvecOnly) free_dvec(alloc_dvec(10, failingAllocator));
    else LsqrMemory mem(10, 4, failingAllocator);
    std::exit(0);
}

} // namespace

TEST(LsqrDeathTest, AllocationFailuresAreFatalWithTheirMessages)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::pair<int, const char*> structures[] = {
        {0, "input structure allocation failure in function alloc_lsqr_in()"},
        {1, "right hand side vector 'b' allocation failure in function alloc_lsqr_in()"},
        {2, "right hand side vector 'b' allocation failure in function alloc_lsqr_in()"},
        {3, "solution vector 'x' allocation failure in function alloc_lsqr_in()"},
        {4, "solution vector 'x' allocation failure in function alloc_lsqr_in()"},
        {5, "output structure allocation failure in function alloc_lsqr_out()"},
        {7, "standard error vector 'e' allocation failure in function alloc_lsqr_out()"},
        {8, "work structure allocation failure in function alloc_lsqr_wrk()"},
        {10, "bidiagonalization work vector 'v' allocation failure in function alloc_lsqr_wrk()"},
        {11, "search direction vector 'w' allocation failure in function alloc_lsqr_wrk()"},
        {13, "function structure allocation failure in function alloc_lsqr_fnc()"},
    };
    for (auto [successes, message] : structures)
        EXPECT_EXIT(allocateAfter(successes, false), testing::ExitedWithCode(255),
                    testing::HasSubstr(std::string("\tlsqr: ") + message + "\n"))
            << successes;
    EXPECT_EXIT(allocateAfter(0, true), testing::ExitedWithCode(255),
                testing::HasSubstr("\tlsqr: vector allocation failure in function alloc_dvec()\n"));
    EXPECT_EXIT(allocateAfter(1, true), testing::ExitedWithCode(255),
                testing::HasSubstr("\tlsqr: element allocation failure in function alloc_dvec()\n"));
    EXPECT_EXIT(allocateAfter(14, false), testing::ExitedWithCode(0), testing::Eq(""));
}
