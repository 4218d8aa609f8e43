#include "graphics/LinePattern.h"
#include "graphics/PatternFilters.h"
#include "app/core/GridOps.h"
#include "GridArt.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>

namespace {

constexpr std::int32_t kBlack = 0, kWhite = 0xFFFFFF;

IntGrid blank(int rows, int cols) { return IntGrid(rows, cols, kWhite); }

/// A filled 5 x 5 black square in the middle of a 9 x 9 white picture.
IntGrid solidSquare()
{
    return gridBy(9, 9, [](int r, int c) { return r >= 2 && r <= 6 && c >= 2 && c <= 6 ? kBlack : kWhite; });
}

int inkIn(const IntGrid& g)
{
    int n = 0;
    for (std::int32_t v : g.cells()) n += v == kBlack;
    return n;
}

} // namespace

TEST(Despeckle, EightBitRemovesIsolatedLinePixels)
{
    IntGrid A = gridFromArt({".....", ".#...", ".....", "..##.", "....."}, kLineCode);
    despeckle8(A);
    EXPECT_EQ(artFromGrid(A, kLineCode), (std::vector<std::string>{".....", ".....", ".....", "..##.", "....."}));
}

TEST(BlockPattern, SolidSquareKeepsItsOutline)
{
    IntGrid g = solidSquare();
    blockPattern(g);
    EXPECT_EQ(g, gridBy(9, 9, [](int r, int c) {
                  return std::max(std::abs(r - 4), std::abs(c - 4)) == 2 ? kBlack : kWhite;
              }));
}

TEST(NibblePattern, AreasLoseOnePixelAllRound)
{
    IntGrid g = solidSquare();
    nibblePattern(g);
    EXPECT_EQ(g, gridBy(9, 9, [](int r, int c) { return r >= 3 && r <= 5 && c >= 3 && c <= 5 ? kBlack : kWhite; }));
}

TEST(NeighbourPattern, CountAboveTheLimitWhitens)
{
    IntGrid plus = gridFromArt({".....", "..#..", ".###.", "..#..", "....."}, kInk);
    neighbourPattern(plus, 3);   // the centre has 4 equal neighbours; white cells have 4..8
    EXPECT_EQ(cellsAt(plus, {{2, 2}, {1, 2}}), (std::vector{kWhite, kBlack}));   // the arm: three equal neighbours

    EXPECT_EQ(
        (std::vector{neighbourCountValid(0), neighbourCountValid(1), neighbourCountValid(8), neighbourCountValid(9)}),
        (std::vector{false, true, true, false}));
    EXPECT_EQ(neighbourCountErrorLines(),
              (std::vector<std::string>{"Neighbors must be  greater than", "zero and less than  nine"}));
}

TEST(Sobel, TrailingKeepsOnlyRisingEdges)
{
    const IntGrid falling = gridBy(5, 6, [](int, int c) { return c < 3 ? 100 : 0; });
    const IntGrid rising = gridBy(5, 6, [](int, int c) { return c < 3 ? 0 : 100; });

    IntGrid g = falling;
    sobel(g, SobelMode::Trailing);
    EXPECT_EQ(g, IntGrid(5, 6, 0));
    g = rising;
    sobel(g, SobelMode::Trailing);
    EXPECT_EQ(cellsAt(g, {{2, 2}, {2, 4}}), (std::vector{kWhite, 0}));
}

TEST(Laplacian, ResponseClampedAtZeroAndTwoPixelBorder)
{
    IntGrid g(9, 9, 0);
    g(4, 4) = 100;
    g(0, 0) = 50;
    laplacian5x5(g);
    EXPECT_EQ(cellsAt(g, {{4, 4}, {4, 5}, {0, 0}}), (std::vector{2400, 0, 0}));   // -100 becomes 0
}

TEST(LinePattern, ContinuousLinesKeepEveryPixel)
{
    // Straight lines in every direction and a circle, each alone.
    std::vector<IntGrid> pictures;
    for (int k = 0; k < 96; ++k) {
        IntGrid g = blank(64, 64);
        const double a = k * 2 * M_PI / 96;
        gridops::drawLine(g, 32, 32, 32 + int(std::lround(28 * std::cos(a))), 32 + int(std::lround(28 * std::sin(a))),
                          kBlack);
        pictures.push_back(g);
    }
    IntGrid circle = blank(64, 64);
    for (int k = 0; k < 120; ++k) {
        const double a0 = k * 2 * M_PI / 120, a1 = (k + 1) * 2 * M_PI / 120;
        gridops::drawLine(circle, 32 + int(std::lround(20 * std::cos(a0))), 32 + int(std::lround(20 * std::sin(a0))),
                          32 + int(std::lround(20 * std::cos(a1))), 32 + int(std::lround(20 * std::sin(a1))), kBlack);
    }
    pictures.push_back(circle);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        IntGrid g = pictures[i];
        EXPECT_EQ(linePattern(g), 0u) << "picture " << i;
        EXPECT_EQ(g, pictures[i]) << "picture " << i;
    }
}

TEST(LinePattern, DotsAndShortDashesGo)
{
    IntGrid g = blank(12, 40);
    for (int c = 3; c < 37; c += 2) g(4, c) = kBlack;                 // dotted
    for (int c = 3; c < 36; c += 4) g(8, c) = g(8, c + 1) = kBlack;   // dashes of two
    linePattern(g);
    EXPECT_EQ(inkIn(g), 0);
}
