#include "app/core/Grid.h"
#include "app/core/GridOps.h"
#include "TestFiles.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

TEST(GridOps, ConversionsTruncateOrFloorAndNeverOverflow)
{
    std::vector<std::int32_t> truncated;
    for (double v : {-0.7, 12.9, -2.7, 1e300, -1e300, std::nan("")}) truncated.push_back(gridops::truncToInt(v));
    EXPECT_EQ(truncated, (std::vector<std::int32_t>{0, 12, -2, 2147483647, -2147483647 - 1, 0}));
    EXPECT_EQ(gridops::floorToInt(-2.5), -3);
    const RealGrid g = gridOf<RealGrid>({{-1.5, 1.5}});
    EXPECT_EQ(std::pair(gridops::floorToIntGrid(g), gridops::truncToIntGrid(g)),
              std::pair(gridOf<IntGrid>({{-2, 1}}), gridOf<IntGrid>({{-1, 1}})));
    // A grid given up converts as a copy does, values needing 32 bits included.
    const IntGrid wide = gridOf<IntGrid>({{2147483647, -2147483647 - 1, 70000}, {-1, 0, 255}});
    EXPECT_EQ(gridops::toRealGrid(IntGrid(wide)), gridops::toRealGrid(wide));
    for (const RealGrid& r : {gridOf<RealGrid>({{-1.5, 32767.9}, {-32768.2, 3}}), gridOf<RealGrid>({{-1.5, 1e10}})})
        EXPECT_EQ(gridops::truncToIntGrid(RealGrid(r)), gridops::truncToIntGrid(r));
    IntGrid assigned(1, 1, 0);   // assignment across sizes and shapes
    const IntGrid tall = gridOf<IntGrid>({{1, 2}, {3, 4}, {5, 6}});
    for (const IntGrid* from : {&wide, &tall}) EXPECT_EQ(assigned = *from, *from);
}

TEST(GridOps, BresenhamFollowsTheHandWorkedSteps)
{
    using P = std::vector<std::pair<int, int>>;
    auto line = [](int x0, int y0, int x1, int y1) {
        P pts;
        gridops::bresenham(x0, y0, x1, y1, [&](int x, int y) { pts.emplace_back(x, y); });
        return pts;
    };
    // x major: dx 5, dy 2, accumulator starts at 2.
    EXPECT_EQ(line(0, 0, 5, 2), (P{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
    // y major, both directions negative: dy 3, dx 1, accumulator starts at 1.
    EXPECT_EQ(line(2, 3, 1, 0), (P{{2, 3}, {2, 2}, {1, 1}, {1, 0}}));
    // Equal extents take the x-major branch.
    EXPECT_EQ(line(0, 0, 2, 2), (P{{0, 0}, {1, 1}, {2, 2}}));
    IntGrid g(3, 3, 0);   // a drawn line skips the cells outside the grid
    gridops::drawLine(g, -2, 1, 5, 1, 9);
    EXPECT_EQ(g, gridOf<IntGrid>({{0, 0, 0}, {9, 9, 9}, {0, 0, 0}}));
}
