// LSQR against dense least squares worked out independently, its stopping rules and its report.
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
    in->rows = rows, in->columns = columns, in->DAMP = damp, in->ATOL = atol, in->BTOL = btol;
    in->CONDLIM = 10000.0, in->ITERLIM = iterations, in->threading = threading;
    lsqr(in, mem.output, mem.work, mem.function, data, reporter);
    return {*mem.output, std::vector<double>(in->x->elements, in->x->elements + columns),
            std::vector<double>(mem.output->e->elements, mem.output->e->elements + columns)};
}

Result runSystem(SparseRowSystem& s, const std::vector<double>& b, const std::vector<double>& x0,
                 std::int32_t iterations, bool fused = true, LsqrThreading threading = LsqrThreading::Automatic)
{
    NullReporter quiet;
    return runLsqr(s.equationCount(), s.unknownCount(), sparseRowProduct, fused ? &s : nullptr, &s, b, x0,
                   iterations, quiet, 1e-10, 1e-10, 0.0, threading);
}

void denseProduct(long mode, dvec* x, dvec* y, void* data)
{
    const dense::Matrix& A = *static_cast<const dense::Matrix*>(data);
    for (std::size_t i = 0; i < A.rows; ++i)
        for (std::size_t j = 0; j < A.cols; ++j) {
            if (mode == 0) y->elements[i] += A(i, j) * x->elements[j];
            else x->elements[j] += A(i, j) * y->elements[i];
        }
}

bool sameBits(const Result& a, const Result& b)
{
    return std::memcmp(a.x.data(), b.x.data(), a.x.size() * sizeof(double)) == 0 &&
           std::memcmp(a.e.data(), b.e.data(), a.e.size() * sizeof(double)) == 0 &&
           a.out.terminationFlag == b.out.terminationFlag && a.out.iterationCount == b.out.iterationCount &&
           a.out.conditionNumber == b.out.conditionNumber && a.out.solutionNorm == b.out.solutionNorm;
}

} // namespace

TEST(Lsqr, ReportHeaderIsWrittenExactly)
{
    lsqr_in in;
    in.rows = 1442401 + 432720, in.columns = 1442401, in.ATOL = 1e-10, in.BTOL = 1e-10, in.CONDLIM = 10000.0;
    in.ITERLIM = 250;
    EXPECT_EQ(lsqrReportHeader(in), "  Least Squares Solution of A*x = b\n"
                                    "\tThe matrix A has 1875121 rows and 1442401 columns\n"
                                    "\tThe damping parameter is\tDAMP =   0.00e+00\n"
                                    "\tATOL =   1.00e-10\t\tCONDLIM =   1.00e+04\n"
                                    "\tBTOL =   1.00e-10\t\tITERLIM =        250\n\n");
    in.rows = 20, in.columns = 16, in.ITERLIM = 7, in.DAMP = 0.5, in.ATOL = 0.0, in.BTOL = 2e-3, in.CONDLIM = 123456.0;
    EXPECT_EQ(lsqrReportHeader(in), "  Least Squares Solution of A*x = b\n"
                                    "\tThe matrix A has      20 rows and      16 columns\n"
                                    "\tThe damping parameter is\tDAMP =   5.00e-01\n"
                                    "\tATOL =   0.00e+00\t\tCONDLIM =   1.23e+05\n"
                                    "\tBTOL =   2.00e-03\t\tITERLIM =          7\n\n");
}

// After k iterations from x0, LSQR's x is the least-squares solution over x0 plus the
// k-dimensional Krylov space of A^T A and A^T r0: worked out here by dense QR.
TEST(Lsqr, AgreesWithAnIndependentLeastSquaresSolutionAfterTheSameIterations)
{
    std::mt19937 gen(99);
    for (auto [R, C, known, k] : {std::tuple{4, 5, 0.3, 3}, {6, 6, 0.25, 6}, {5, 9, 0.5, 8}, {7, 4, 0.2, 5}}) {
        const RealGrid g = dense::randomKnownGrid<RealGrid>(gen, R, C, known, 1, 900);
        SparseRowSystem s(g);
        const std::vector<double> b = s.rightHandSide(g, 1.5),
                                  x0 = dense::randomValues(gen, std::size_t(R * C), 0, 500);
        const Result r = runSystem(s, b, x0, k);
        ASSERT_EQ(r.out.iterationCount, k);
        EXPECT_LT(dense::relativeDifference(r.x, dense::krylovIterate(dense::denseOf(s), b, x0, std::size_t(k))), 1e-6)
            << R << " x " << C << " after " << k;
    }
}

TEST(Lsqr, ConvergesToTheDenseLeastSquaresSolutionWithItsStandardErrors)
{
    std::mt19937 gen(5);
    for (auto [R, C] : {std::pair{5, 5}, {6, 8}, {9, 4}}) {
        const RealGrid g = dense::randomKnownGrid<RealGrid>(gen, R, C, 0.3, 1, 900);
        SparseRowSystem s(g);
        const std::vector<double> b = s.rightHandSide(g, 1.0);
        const Result r = runSystem(s, b, dense::randomValues(gen, std::size_t(R * C), 0, 500), 2000);
        EXPECT_EQ(r.out.terminationFlag, 2);
        const dense::Matrix A = dense::denseOf(s);
        const std::vector<double> expected = dense::leastSquares(A, b);
        EXPECT_LT(dense::relativeDifference(r.x, expected), 1e-6);
        std::vector<double> residual = dense::multiply(A, expected);
        for (std::size_t i = 0; i < residual.size(); ++i) residual[i] = b[i] - residual[i];
        EXPECT_NEAR(r.out.residualNorm, dense::norm(residual), 1e-6 * dense::norm(residual));
        // Standard errors: sqrt(diag((A^T A)^-1)) * norm(r) / sqrt(m - n), as estimates.
        const double t = dense::norm(residual) / std::sqrt(double(A.rows - A.cols));
        dense::Matrix AtA(A.cols, A.cols);
        for (std::size_t p = 0; p < A.cols; ++p)
            for (std::size_t q = 0; q < A.cols; ++q)
                for (std::size_t i = 0; i < A.rows; ++i) AtA(p, q) += A(i, p) * A(i, q);
        for (std::size_t j = 0; j < A.cols; j += 3) {
            std::vector<double> unit(A.cols, 0.0);
            unit[j] = 1.0;
            const double expectedError = std::sqrt(dense::leastSquares(AtA, unit)[j]) * t;
            EXPECT_NEAR(r.e[j], expectedError, 0.05 * expectedError);
        }
    }
}

// The fused products and the update on a second thread give exactly the plain single-thread bits.
TEST(Lsqr, FusedProductsAndThreadsGiveThePlainBits)
{
    std::mt19937 gen(17);
    for (auto [R, C, limit] : {std::tuple{2, 2, 40}, {3, 7, 40}, {12, 9, 40}, {30, 31, 40}, {23, 17, 1},
                               {23, 17, 2}, {23, 17, 5000}}) {
        const RealGrid g = dense::randomKnownGrid<RealGrid>(gen, R, C, 0.3, 1, 900);
        SparseRowSystem s(g);
        const std::vector<double> b = s.rightHandSide(g, 2.0),
                                  x0 = dense::randomValues(gen, std::size_t(R * C), 0, 500);
        using enum LsqrThreading;
        const Result plain = runSystem(s, b, x0, limit, false, Never), fused = runSystem(s, b, x0, limit, true, Never);
        const Result threaded = runSystem(s, b, x0, limit, true, Always),
                     threadedPlain = runSystem(s, b, x0, limit, false, Always);
        EXPECT_TRUE(sameBits(fused, plain)) << R << " x " << C;
        EXPECT_TRUE(sameBits(threaded, plain)) << R << " x " << C << " limit " << limit;
        EXPECT_TRUE(sameBits(threadedPlain, plain)) << R << " x " << C << " limit " << limit;
    }
}

TEST(Lsqr, TerminationFlags)
{
    RealGrid flat(6, 7, 0.0);   // 1: a compatible system (a flat surface solves it)
    flat(0, 0) = flat(3, 4) = flat(5, 6) = 250.0;
    SparseRowSystem flatSystem(flat);
    const Result compatible = runSystem(flatSystem, flatSystem.rightHandSide(flat, 1.0), std::vector<double>(42), 500);
    EXPECT_EQ(compatible.out.terminationFlag, 1);
    for (double v : compatible.x) EXPECT_NEAR(v, 250.0, 1e-6);
    dense::Matrix A(3, 3);   // 4: no tolerances, a square system to machine precision
    A(0, 0) = 1, A(1, 1) = 2, A(2, 2) = 4, A(0, 1) = 0.5;
    RecordingReporter rec;
    const Result square = runLsqr(3, 3, denseProduct, nullptr, &A, {1, 1, 1}, {0, 0, 0}, 50, rec, 0.0, 0.0);
    EXPECT_EQ(square.out.terminationFlag, 4);
    EXPECT_THAT(square.x, testing::Pointwise(testing::DoubleNear(1e-12), {0.75, 0.5, 0.25}));
}

// The residual test is relative to norm(b), not to the start's residual: LSQR stops at the first
// iterate whose exact residual (the dense Krylov iterate's) is within BTOL of norm(b).
TEST(Lsqr, ResidualTestIsRelativeToTheRightHandSide)
{
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    dense::Matrix A(30, 12);
    for (double& a : A.a) a = u(gen);
    std::vector<double> truth(12), x0(12);
    for (std::size_t j = 0; j < 12; ++j) truth[j] = 10.0 + u(gen), x0[j] = truth[j] + 0.05 * u(gen);
    const std::vector<double> b = dense::multiply(A, truth), zero(30, 0.0);
    for (auto [btol, rhs] : {std::pair{1e-3, &b}, {1e-4, &b}, {1e-6, &b}, {1e-3, &zero}}) {
        const double bnorm = dense::norm(*rhs) > 0.0 ? dense::norm(*rhs) : dense::norm(dense::multiply(A, x0));
        std::int32_t expected = 0;
        for (std::size_t it = 1; it <= 12 && expected == 0; ++it) {
            std::vector<double> r = dense::multiply(A, dense::krylovIterate(A, *rhs, x0, it));
            for (std::size_t i = 0; i < r.size(); ++i) r[i] = (*rhs)[i] - r[i];
            ASSERT_GT(std::fabs(dense::norm(r) / bnorm / btol - 1.0), 0.05) << "too close to call at " << it;
            if (dense::norm(r) / bnorm <= btol) expected = std::int32_t(it);
        }
        ASSERT_GT(expected, 0);
        NullReporter quiet;
        const Result r = runLsqr(30, 12, denseProduct, nullptr, &A, *rhs, x0, 50, quiet, 0.0, btol);
        EXPECT_EQ(std::pair(r.out.terminationFlag, r.out.iterationCount), std::pair(1, expected)) << btol;
    }
}

// A start that already solves the system: nothing to iterate, nothing divided by zero.
TEST(Lsqr, StartEstimateThatSolvesTheSystemIsReturnedUnchanged)
{
    RealGrid g(5, 5, 0.0);   // beta = 0: b - A x0 = 0 exactly
    g(1, 1) = g(3, 2) = 80.0;
    SparseRowSystem s(g);
    const std::vector<double> x0(25, 80.0);
    RecordingReporter rec;
    Result r = runLsqr(s.equationCount(), 25, sparseRowProduct, &s, &s, s.rightHandSide(g, 1.0), x0, 10, rec);
    EXPECT_EQ(std::tuple(r.out.terminationFlag, r.out.iterationCount, r.x, r.e),
              std::tuple(0, 0, x0, std::vector<double>(25, 0.0)));
    EXPECT_TRUE(rec.hasSequence({"Termination Flag is:   0", "Number of Iterations is:   0", "Solution Norm is:   0",
                                 "Condition Number is:   0"}));
    dense::Matrix A(2, 1);   // alpha = 0: A^T r0 is zero (x0 is the least-squares solution)
    A(0, 0) = A(1, 0) = 1.0;
    r = runLsqr(2, 1, denseProduct, nullptr, &A, {1.0, -1.0}, {0.0}, 10, rec);
    EXPECT_EQ(std::tuple(r.out.terminationFlag, r.x, r.out.residualNorm),
              std::tuple(0, std::vector<double>{0.0}, std::sqrt(2.0)));
}

namespace {

int allocationsBeforeFailure = 0;
void* failingAllocator(std::size_t bytes) { return --allocationsBeforeFailure < 0 ? nullptr : std::malloc(bytes); }

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
    const std::tuple<int, bool, const char*> rows[] = {
        {0, false, "input structure allocation failure in function alloc_lsqr_in()"},
        {5, false, "output structure allocation failure in function alloc_lsqr_out()"},
        {8, false, "work structure allocation failure in function alloc_lsqr_wrk()"},
        {13, false, "function structure allocation failure in function alloc_lsqr_fnc()"},
        {0, true, "vector allocation failure in function alloc_dvec()"},
    };
    for (auto [successes, dvecOnly, message] : rows)
        EXPECT_EXIT(allocateAfter(successes, dvecOnly), testing::ExitedWithCode(255),
                    testing::HasSubstr(std::string("\tlsqr: ") + message + "\n"))
            << successes;
    EXPECT_EXIT(allocateAfter(14, false), testing::ExitedWithCode(0), testing::Eq(""));
}
