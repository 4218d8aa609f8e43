#include "engine/Relaxation.h"
#include "DenseLeastSquares.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>
#include <random>

namespace {

/// The relaxation written as plainly as it is described: every phase visits every cell
/// in order and tests whether it is free. The oracle for the fast solver.
RealGrid referenceRelaxation(const RealGrid& input, int sweeps, int refining, int lsqrIterations)
{
    RealGrid A = input;
    const int R = A.rows(), C = A.cols();
    auto freeCell = [&](int r, int c) { return input(r, c) == 0.0; };
    auto mean4 = [&](int r, int c) { return 0.25 * (A(r - 1, c) + A(r + 1, c) + A(r, c - 1) + A(r, c + 1)); };
    auto set = [&](int r, int c, double v) {
        if (freeCell(r, c)) A(r, c) = v;
    };
    auto edgeCopy = [&] {
        for (int r = 1; r <= R - 2; ++r) set(r, 0, A(r, 1)), set(r, C - 1, A(r, C - 2));
        for (int c = 1; c <= C - 2; ++c) set(0, c, A(1, c)), set(R - 1, c, A(R - 2, c));
        set(0, 0, A(1, 1)), set(R - 1, C - 1, A(R - 2, C - 2)), set(0, C - 1, A(1, C - 2)), set(R - 1, 0, A(R - 2, 1));
    };
    for (int it = 0; it < sweeps; ++it) {
        if (R >= 3 && C >= 3) {
            for (int r = 1; r <= R - 2; ++r) set(r, C - 2, mean4(r, C - 2));
            for (int r = 1; r <= R - 2; ++r) set(r, 1, mean4(r, 1));
            for (int c = 1; c <= C - 2; ++c) set(1, c, mean4(1, c));
            for (int c = 1; c <= C - 2; ++c) set(R - 2, c, mean4(R - 2, c));
        }
        edgeCopy();
        for (int r = 2; r <= R - 3; ++r)
            for (int c = 2; c <= C - 3; ++c)
                set(r, c, (8 * (A(r - 1, c) + A(r + 1, c) + A(r, c - 1) + A(r, c + 1)) -
                           2 * (A(r - 1, c - 1) + A(r - 1, c + 1) + A(r + 1, c - 1) + A(r + 1, c + 1)) -
                           (A(r - 2, c) + A(r + 2, c) + A(r, c - 2) + A(r, c + 2))) * 0.05);
        edgeCopy();
        for (int r = 1; r <= R - 2; ++r)
            for (int c = 1; c <= C - 2; ++c) set(r, c, mean4(r, c));
        for (int r = 1; r <= R - 2; ++r) {
            set(r, 0, (A(r, 1) + A(r - 1, 0) + A(r + 1, 0)) / 3);
            set(r, C - 1, (A(r, C - 2) + A(r - 1, C - 1) + A(r + 1, C - 1)) / 3);
        }
        for (int c = 1; c <= C - 2; ++c) {
            set(0, c, (A(1, c) + A(0, c - 1) + A(0, c + 1)) / 3);
            set(R - 1, c, (A(R - 2, c) + A(R - 1, c - 1) + A(R - 1, c + 1)) / 3);
        }
        set(0, 0, (A(0, 1) + A(1, 0)) * 0.5), set(R - 1, C - 1, (A(R - 1, C - 2) + A(R - 2, C - 1)) * 0.5);
        set(0, C - 1, (A(0, C - 2) + A(1, C - 1)) * 0.5), set(R - 1, 0, (A(R - 2, 0) + A(R - 1, 1)) * 0.5);
    }
    for (int it = 0; it < refining; ++it)
        for (int r = 1; r <= R - 2; ++r)
            for (int c = 1; c <= C - 2; ++c) A(r, c) = mean4(r, c);
    if (lsqrIterations > 0)
        for (double& v : A.cells()) v = std::max(v, 0.0);
    return A;
}

} // namespace

TEST(Relaxation, MatchesThePlainSweepsBitForBit)
{
    std::mt19937 gen(1);
    for (auto [R, C] :
         {std::pair{2, 2}, {2, 7}, {7, 2}, {3, 3}, {4, 6}, {5, 5}, {9, 13}, {31, 17}, {64, 64}, {151, 127}})
        for (double known : {0.0, 0.05, 0.3, 0.9})
            for (int lsqr : {0, 1}) {
                const RealGrid input = dense::randomKnownGrid<RealGrid>(gen, R, C, known);
                NullReporter quiet;
                EXPECT_EQ(CentralDifferenceSolver(input, 7, 2, quiet).solve(lsqr),
                          referenceRelaxation(input, 7, 2, lsqr))
                    << R << " x " << C << " known " << known;
            }
}

// Its log lines: checked with the whole interpolation.
TEST(Relaxation, DrivesTheProgressBar)
{
    RecordingReporter rec;
    CentralDifferenceSolver(RealGrid(5, 5, 0.0), 4, 3, rec).solve(0);
    // Maximum: laplacianIterations + 1; the refining sweeps advance it while hidden.
    EXPECT_EQ(std::tuple(rec.progressMaximum, rec.progressPosition, rec.progressVisible), std::tuple(5, 7, false));
}
