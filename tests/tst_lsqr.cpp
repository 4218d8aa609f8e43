// LSQR against dense least squares worked out independently, its stopping rules and its report.
#include "engine/LaplacianSystem.h"
#include "engine/Lsqr.h"
#include "DenseLeastSquares.h"
#include "RecordingReporter.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

struct Result {
    lsqr_out out;
    std::vector<double> x, e;
};

Result runSystem(SparseRowSystem& s, const std::vector<double>& b, const std::vector<double>& x0,
                 std::int32_t iterations, bool fused = true, LsqrThreading threading = LsqrThreading::Automatic,
                 Reporter* reporter = nullptr, bool standardErrors = true)
{
    NullReporter quiet;
    LsqrMemory mem(s.equationCount(), s.unknownCount());
    mem.function->mat_vec_prod = sparseRowProduct;
    mem.function->fused = fused ? &s : nullptr;
    lsqr_in* in = mem.input;
    std::copy(b.begin(), b.end(), in->b->elements);
    std::copy(x0.begin(), x0.end(), in->x->elements);
    in->rows = s.equationCount(), in->columns = s.unknownCount(), in->DAMP = 0.0, in->ATOL = in->BTOL = 1e-10;
    in->CONDLIM = 10000.0, in->ITERLIM = iterations, in->threading = threading;
    in->standardErrors = standardErrors;
    lsqr(in, mem.output, mem.work, mem.function, &s, reporter ? *reporter : quiet);
    return {*mem.output, std::vector<double>(in->x->elements, in->x->elements + in->columns),
            std::vector<double>(mem.output->e->elements, mem.output->e->elements + in->columns)};
}

bool sameBits(const Result& a, const Result& b)
{
    return std::tuple(a.x, a.e, a.out.terminationFlag, a.out.iterationCount, a.out.conditionNumber,
                      a.out.solutionNorm) == std::tuple(b.x, b.e, b.out.terminationFlag, b.out.iterationCount,
                                                        b.out.conditionNumber, b.out.solutionNorm);
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
    for (auto [R, C, limit] :
         {std::tuple{2, 2, 40}, {8, 5, 40}, {12, 9, 40}, {30, 31, 40}, {23, 17, 1}, {23, 17, 5000}}) {
        const RealGrid g = dense::randomKnownGrid<RealGrid>(gen, R, C, 0.3, 1, 900);
        SparseRowSystem s(g);
        const std::vector<double> b = s.rightHandSide(g, 2.0),
                                  x0 = dense::randomValues(gen, std::size_t(R * C), 0, 500);
        using enum LsqrThreading;
        const Result plain = runSystem(s, b, x0, limit, false, Never), fused = runSystem(s, b, x0, limit, true, Never);
        const Result threaded = runSystem(s, b, x0, limit, true, Always);
        EXPECT_TRUE(sameBits(fused, plain) && sameBits(threaded, plain)) << R << " x " << C << " limit " << limit;
        Result noErrors = runSystem(s, b, x0, limit, true, Always, nullptr, false);   // only e differs: all zero
        EXPECT_TRUE(std::ranges::all_of(noErrors.e, [](double v) { return v == 0.0; }));
        noErrors.e = plain.e;
        EXPECT_TRUE(sameBits(noErrors, plain)) << R << " x " << C << " limit " << limit;
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
}

// A start that already solves the system: nothing to iterate, nothing divided by zero.
TEST(Lsqr, StartEstimateThatSolvesTheSystemIsReturnedUnchanged)
{
    RealGrid g(5, 5, 0.0);   // beta = 0: b - A x0 = 0 exactly
    g(1, 1) = g(3, 2) = 80.0;
    SparseRowSystem s(g);
    const std::vector<double> x0(25, 80.0);
    RecordingReporter rec;
    const Result r = runSystem(s, s.rightHandSide(g, 1.0), x0, 10, true, LsqrThreading::Automatic, &rec);
    EXPECT_EQ(std::tuple(r.out.terminationFlag, r.out.iterationCount, r.x, r.e),
              std::tuple(0, 0, x0, std::vector<double>(25, 0.0)));
    EXPECT_TRUE(rec.hasSequence({"Termination Flag is:   0", "Number of Iterations is:   0", "Solution Norm is:   0",
                                 "Condition Number is:   0"}));
}
