#include "engine/Relaxation.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>
#include <random>

namespace {

/// The relaxation written as plainly as it is described: every phase visits every cell
/// in order and tests whether it is free. The oracle for the fast solver.
RealGrid referenceRelaxation(const RealGrid& input, int sweeps, int refining, int lsqrIterations)
{
    RealGrid A = input;
    const RealGrid& K = input;
    const int R = A.rows(), C = A.cols();
    auto freeCell = [&](int r, int c) { return K(r, c) == 0.0; };
    auto edgeCopy = [&] {
        for (int r = 1; r <= R - 2; ++r) {
            if (freeCell(r, 0)) A(r, 0) = A(r, 1);
            if (freeCell(r, C - 1)) A(r, C - 1) = A(r, C - 2);
        }
        for (int c = 1; c <= C - 2; ++c) {
            if (freeCell(0, c)) A(0, c) = A(1, c);
            if (freeCell(R - 1, c)) A(R - 1, c) = A(R - 2, c);
        }
        if (freeCell(0, 0)) A(0, 0) = A(1, 1);
        if (freeCell(R - 1, C - 1)) A(R - 1, C - 1) = A(R - 2, C - 2);
        if (freeCell(0, C - 1)) A(0, C - 1) = A(1, C - 2);
        if (freeCell(R - 1, 0)) A(R - 1, 0) = A(R - 2, 1);
    };
    for (int it = 0; it < sweeps; ++it) {
        if (R >= 3 && C >= 3) {
            auto ring = [&](int r, int c) {
                if (freeCell(r, c)) A(r, c) = 0.25 * (A(r - 1, c) + A(r + 1, c) + A(r, c - 1) + A(r, c + 1));
            };
            for (int r = 1; r <= R - 2; ++r) ring(r, C - 2);
            for (int r = 1; r <= R - 2; ++r) ring(r, 1);
            for (int c = 1; c <= C - 2; ++c) ring(1, c);
            for (int c = 1; c <= C - 2; ++c) ring(R - 2, c);
        }
        edgeCopy();
        for (int r = 2; r <= R - 3; ++r)
            for (int c = 2; c <= C - 3; ++c)
                if (freeCell(r, c))
                    A(r, c) = (8 * (A(r - 1, c) + A(r + 1, c) + A(r, c - 1) + A(r, c + 1)) -
                               2 * (A(r - 1, c - 1) + A(r - 1, c + 1) + A(r + 1, c - 1) + A(r + 1, c + 1)) -
                               (A(r - 2, c) + A(r + 2, c) + A(r, c - 2) + A(r, c + 2))) *
                              0.05;
        edgeCopy();
        for (int r = 1; r <= R - 2; ++r)
            for (int c = 1; c <= C - 2; ++c)
                if (freeCell(r, c)) A(r, c) = 0.25 * (A(r - 1, c) + A(r + 1, c) + A(r, c - 1) + A(r, c + 1));
        for (int r = 1; r <= R - 2; ++r) {
            if (freeCell(r, 0)) A(r, 0) = (A(r, 1) + A(r - 1, 0) + A(r + 1, 0)) / 3;
            if (freeCell(r, C - 1)) A(r, C - 1) = (A(r, C - 2) + A(r - 1, C - 1) + A(r + 1, C - 1)) / 3;
        }
        for (int c = 1; c <= C - 2; ++c) {
            if (freeCell(0, c)) A(0, c) = (A(1, c) + A(0, c - 1) + A(0, c + 1)) / 3;
            if (freeCell(R - 1, c)) A(R - 1, c) = (A(R - 2, c) + A(R - 1, c - 1) + A(R - 1, c + 1)) / 3;
        }
        if (freeCell(0, 0)) A(0, 0) = (A(0, 1) + A(1, 0)) * 0.5;
        if (freeCell(R - 1, C - 1)) A(R - 1, C - 1) = (A(R - 1, C - 2) + A(R - 2, C - 1)) * 0.5;
        if (freeCell(0, C - 1)) A(0, C - 1) = (A(0, C - 2) + A(1, C - 1)) * 0.5;
        if (freeCell(R - 1, 0)) A(R - 1, 0) = (A(R - 2, 0) + A(R - 1, 1)) * 0.5;
    }
    for (int it = 0; it < refining; ++it)
        for (int r = 1; r <= R - 2; ++r)
            for (int c = 1; c <= C - 2; ++c) A(r, c) = 0.25 * (A(r - 1, c) + A(r + 1, c) + A(r, c - 1) + A(r, c + 1));
    if (lsqrIterations > 0)
        for (double& v : A.cells())
            if (v < 0) v = 0;
    return A;
}

RealGrid randomGrid(int rows, int cols, double knownFraction, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(0, 1), z(-50, 900);
    RealGrid g(rows, cols, 0.0);
    for (double& v : g.cells())
        if (u(gen) < knownFraction) v = z(gen);
    return g;
}

RealGrid solve(const RealGrid& input, int sweeps, int refining, int lsqr, RecordingReporter* rec = nullptr)
{
    RecordingReporter local;
    CentralDifferenceSolver solver(input, sweeps, refining, rec ? *rec : local);
    auto out = solver.solve(lsqr);
    EXPECT_TRUE(out.has_value());
    return out.value_or(RealGrid());
}

} // namespace

TEST(Relaxation, MatchesThePlainSweepsBitForBit)
{
    const int sizes[][2] = {{2, 2}, {2, 7}, {7, 2}, {3, 3}, {4, 6}, {5, 5}, {9, 13}, {31, 17}, {64, 64}, {151, 127}};
    unsigned seed = 1;
    for (auto [R, C] : sizes)
        for (double known : {0.0, 0.05, 0.3, 0.9})
            for (int lsqr : {0, 1}) {
                const RealGrid input = randomGrid(R, C, known, seed++);
                EXPECT_EQ(solve(input, 7, 2, lsqr), referenceRelaxation(input, 7, 2, lsqr))
                    << R << " x " << C << " known " << known;
            }
}

TEST(Relaxation, CentreOfAKnownRingIsTheMeanOfItsNeighbours)
{
    RealGrid g(3, 3, 5.0);
    g(0, 1) = 1; g(2, 1) = 2; g(1, 0) = 3; g(1, 2) = 4; g(1, 1) = 0.0;
    const RealGrid out = solve(g, 1, 0, 0);
    EXPECT_EQ(out(1, 1), 2.5);
    EXPECT_EQ(out(0, 0), 5.0);
}

TEST(Relaxation, TwoRowGridRunsOnlyTheEdgeRules)
{
    // Worked by hand: the edge copies leave zeros, then the edge means and corners fill in.
    RealGrid g(2, 3, 0.0);
    g(0, 0) = 3;
    g(1, 2) = 6;
    const RealGrid out = solve(g, 1, 0, 0);
    EXPECT_DOUBLE_EQ(out(0, 1), 1.0);
    EXPECT_DOUBLE_EQ(out(1, 1), 7.0 / 3);
    EXPECT_DOUBLE_EQ(out(0, 2), 3.5);
    EXPECT_DOUBLE_EQ(out(1, 0), (3 + 7.0 / 3) * 0.5);
    EXPECT_EQ(out(0, 0), 3.0);
    EXPECT_EQ(out(1, 2), 6.0);
}

TEST(Relaxation, KnownCellsStayExactWithoutRefining)
{
    const RealGrid input = randomGrid(40, 30, 0.2, 99);
    const RealGrid out = solve(input, 50, 0, 0);
    for (int r = 0; r < 40; ++r)
        for (int c = 0; c < 30; ++c)
            if (input(r, c) != 0.0) {
                EXPECT_EQ(out(r, c), input(r, c));
            }
}

TEST(Relaxation, AllKnownGridIsUnchangedBySweepsButNotByRefining)
{
    RealGrid input = randomGrid(8, 9, 1.0, 5);
    EXPECT_EQ(solve(input, 20, 0, 0), input);
    const RealGrid refined = solve(input, 20, 1, 0);
    EXPECT_NE(refined, input);
    EXPECT_EQ(refined(0, 3), input(0, 3));   // the outer ring is not touched
}

TEST(Relaxation, ZeroSweepsReturnTheInputExceptForClipping)
{
    RealGrid input(4, 4, 0.0);
    input(1, 1) = -3;
    input(2, 2) = 8;
    EXPECT_EQ(solve(input, 0, 0, 0), input);
    RealGrid clipped = input;
    clipped(1, 1) = 0;
    EXPECT_EQ(solve(input, 0, 0, 1), clipped);
}

TEST(Relaxation, ConstantSurfaceComesBackExactly)
{
    RealGrid input(12, 10, 0.0);
    for (int r = 0; r < 12; r += 3)
        for (int c = 0; c < 10; c += 3) input(r, c) = 42.0;
    const RealGrid out = solve(input, 400, 0, 0);
    for (double v : out.cells()) EXPECT_NEAR(v, 42.0, 1e-6);
}

TEST(Relaxation, RefusesGridsUnderTwoByTwo)
{
    for (auto [R, C] : {std::pair{1, 5}, std::pair{5, 1}, std::pair{0, 0}}) {
        RecordingReporter rec;
        CentralDifferenceSolver solver(RealGrid(R, C, 1.0), 5, 0, rec);
        EXPECT_FALSE(solver.solve(0).has_value());
        EXPECT_TRUE(rec.has(kGridTooSmallLine));
    }
}

TEST(Relaxation, LogsAndDrivesTheProgressBar)
{
    RecordingReporter rec;
    solve(RealGrid(5, 5, 0.0), 4, 3, 0, &rec);
    EXPECT_EQ(rec.lines, (std::vector<std::string>{" ", "Computing Initial Estimate", " ",
                                                   "Refining the interpolated image."}));
    EXPECT_EQ(rec.progressMaximum, 5);      // laplacianIterations + 1
    EXPECT_EQ(rec.progressPosition, 7);     // refining sweeps advance it while hidden
    EXPECT_FALSE(rec.progressVisible);
}
