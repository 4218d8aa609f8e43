#include "app/Grid.h"
#include "app/GridOps.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using gridops::bresenham;

TEST(Grid, FlipRowsTurnsNorthFirstIntoSouthFirst)
{
    IntGrid g(3, 2);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) g(r, c) = r * 10 + c;
    g.flipRows();
    EXPECT_EQ(g(0, 0), 20);
    EXPECT_EQ(g(1, 1), 11);
    EXPECT_EQ(g(2, 1), 1);
}

TEST(GridOps, MinimumAndMaximumStartFromTheProgramsValues)
{
    EXPECT_EQ(gridops::minimum(RealGrid()), 2147483647.0);
    EXPECT_EQ(gridops::maximum(RealGrid()), -2147483645.0);
    EXPECT_EQ(gridops::maximum(IntGrid(1, 1, -2147483647)), -2147483645);
    EXPECT_EQ(gridops::minimum(RealGrid(1, 1, 3e9)), 2147483647.0);
    RealGrid g(2, 2, 0.0);
    g(1, 0) = -4.5;
    g(0, 1) = 12.25;
    EXPECT_EQ(gridops::minimum(g), -4.5);
    EXPECT_EQ(gridops::maximum(g), 12.25);
}

TEST(GridOps, ConversionsTruncateOrFloorAndNeverOverflow)
{
    EXPECT_EQ(gridops::truncToInt(-0.7), 0);
    EXPECT_EQ(gridops::truncToInt(12.9), 12);
    EXPECT_EQ(gridops::truncToInt(-2.7), -2);
    EXPECT_EQ(gridops::floorToInt(-2.5), -3);
    EXPECT_EQ(gridops::truncToInt(1e300), 2147483647);
    EXPECT_EQ(gridops::truncToInt(-1e300), -2147483647 - 1);
    EXPECT_EQ(gridops::truncToInt(std::nan("")), 0);
    RealGrid g(1, 2);
    g(0, 0) = -1.5;
    g(0, 1) = 1.5;
    EXPECT_EQ(gridops::floorToIntGrid(g)(0, 0), -2);
    EXPECT_EQ(gridops::truncToIntGrid(g)(0, 0), -1);
}

namespace {
std::vector<std::pair<int, int>> line(int x0, int y0, int x1, int y1)
{
    std::vector<std::pair<int, int>> pts;
    bresenham(x0, y0, x1, y1, [&](int x, int y) { pts.emplace_back(x, y); });
    return pts;
}
} // namespace

TEST(GridOps, BresenhamFollowsTheHandWorkedSteps)
{
    // x major: dx 5, dy 2, accumulator starts at 2.
    using P = std::vector<std::pair<int, int>>;
    EXPECT_EQ(line(0, 0, 5, 2), (P{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
    // y major, both directions negative: dy 3, dx 1, accumulator starts at 1.
    EXPECT_EQ(line(2, 3, 1, 0), (P{{2, 3}, {2, 2}, {1, 1}, {1, 0}}));
    EXPECT_EQ(line(4, 4, 4, 4), (P{{4, 4}}));
    // Equal extents take the x-major branch.
    EXPECT_EQ(line(0, 0, 2, 2), (P{{0, 0}, {1, 1}, {2, 2}}));
}

TEST(GridOps, DrawLineSkipsCellsOutsideTheGrid)
{
    IntGrid g(3, 3, 0);
    gridops::drawLine(g, -2, 1, 5, 1, 9);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(g(1, c), 9);
    EXPECT_EQ(g(0, 0), 0);
}
