#include "graphics/LineCleaning.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>
#include <random>
#include <tuple>

namespace {

/// Two horizontal lines on row 10 whose facing ends are `gap` columns apart.
IntGrid twoLineEnds(int gap)
{
    IntGrid A(21, 40, 255);
    for (int c = 2; c <= 12; ++c) A(10, c) = 0;
    for (int c = 12 + gap; c <= 12 + gap + 10; ++c) A(10, c) = 0;
    return A;
}

bool joined(const IntGrid& A, int from, int to)
{
    for (int c = from; c <= to; ++c)
        if (A(10, c) != 0) return false;
    return true;
}

/// Delete Short Segments as first described: every interior line pixel below 255
/// measures its own segment again (counting each pixel once). The oracle for the
/// version that skips measured pixels.
void deleteShortSegmentsEveryPixel(IntGrid& A, int limit)
{
    const int R = A.rows(), C = A.cols();
    for (int r = 1; r + 1 < R; ++r)
        for (int c = 1; c + 1 < C; ++c) {
            if (A(r, c) >= 255) continue;
            ByteGrid seen(R, C, 0);
            std::vector<std::pair<int, int>> stack{{r, c}}, reached;
            seen(r, c) = 1;
            while (!stack.empty()) {
                auto [y, x] = stack.back();
                stack.pop_back();
                reached.push_back({y, x});
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (A.contains(y + dy, x + dx) && !seen(y + dy, x + dx) && A(y + dy, x + dx) != 255) {
                            seen(y + dy, x + dx) = 1;
                            stack.push_back({y + dy, x + dx});
                        }
            }
            if (int(reached.size()) < limit)
                for (auto [y, x] : reached) A(y, x) = 255;
        }
}

} // namespace

TEST(ConnectLines, FarthestFirstSearchesTheSquareClosestFirstFiveSixthsOfIt)
{
    // Ends 3 apart: (order, radius, joins); closest first reaches trunc(radius x 5/6).
    const std::tuple<SearchOrder, int, int> rows[] = {{SearchOrder::FarthestFirst, 2, 0},
                                                      {SearchOrder::FarthestFirst, 3, 1},
                                                      {SearchOrder::ClosestFirst, 3, 0},
                                                      {SearchOrder::ClosestFirst, 4, 1}};
    for (const auto& [order, radius, joins] : rows) {
        RecordingReporter log;
        IntGrid A = twoLineEnds(3);
        EXPECT_EQ(connectLines(A, radius, order, log), joins) << radius;
        EXPECT_EQ(joins ? joined(A, 2, 25) : A == twoLineEnds(3), true) << radius;
    }
}

TEST(DeleteShortSegments, TaggedPixelsCountButDoNotStartAMeasurement)
{
    IntGrid A(6, 12, 255);
    for (int c = 1; c <= 8; ++c) A(2, c) = 500;   // a tagged line ...
    A(1, 9) = 0;                                   // ... touching one untagged pixel
    A(4, 10) = 600;                                // a tagged speck alone
    RecordingReporter log;
    EXPECT_EQ(deleteShortSegments(A, 9, log), 0u);   // 9 pixels: kept
    EXPECT_EQ(deleteShortSegments(A, 10, log), 9u);
    EXPECT_EQ(cellsAt(A, {{2, 4}, {1, 9}, {4, 10}}), (std::vector{255, 255, 600}));   // the speck is never measured
}

TEST(DeleteShortSegments, SkippingMeasuredPixelsGivesTheSameResult)
{
    std::mt19937 gen(11);
    for (int trial = 0; trial < 20; ++trial) {
        IntGrid A(40, 50, 255);
        std::uniform_int_distribution<int> pick(0, 99);
        for (std::int32_t& v : A.cells()) {
            const int p = pick(gen);
            v = p < 30 ? 0 : p < 33 ? 700 : 255;
        }
        IntGrid expected = A;
        const int limit = 1 + trial * 3;
        deleteShortSegmentsEveryPixel(expected, limit);
        RecordingReporter log;
        deleteShortSegments(A, limit, log);
        ASSERT_EQ(A, expected) << "trial " << trial;
    }
}

TEST(RemoveWeb, FloodsTheConnectedColourAndAClickOnWhiteMissesTheLine)
{
    const std::map<char, std::int32_t> colours = {{'.', 0xFFFFFF}, {'#', 0x000000}, {'r', 0xFF0000}};
    IntGrid image = gridFromArt<std::int32_t>({"#...#...", "########", "#...#..#", "......#.", "rrrrr#.."}, colours);
    RecordingReporter log;
    int saves = 0;
    EXPECT_TRUE(removeWebClick(image, {8, 2}, 2, 0x000000, [&] { ++saves; }, log));   // zoom 2: cell (1, 4)
    EXPECT_EQ(artFromGrid(image, colours),
              (std::vector<std::string>{"........", "........", "........", "........", "rrrrr..."}));
    EXPECT_FALSE(removeWebClick(image, {2, 0}, 1, 0xFFFFFF, [&] { ++saves; }, log));
    EXPECT_EQ(std::pair(saves, log.lines.back()), std::pair(1, std::string("Missed line.")));
}
