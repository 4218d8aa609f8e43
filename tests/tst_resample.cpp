// "Resample DEM" on the graphics window's model: sizes, the averaging rule and refusals.
#include "graphics/GraphicsModel.h"
#include "graphics/Resample.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <tuple>

#include <gtest/gtest.h>

TEST(Resample, SizesFollowIntegerDivisionAndSamplesEveryKthPosting)
{
    const IntGrid ramp = gridBy(1201, 1201, [](int r, int c) { return r * 2000 + c; });
    for (int k : {2, 4, 8}) {
        // On a plane the four-neighbour average is the posting's own value.
        EXPECT_EQ(resampleGrid(ramp, k, -1000),
                  gridBy(1201 / k, 1201 / k, [&](int r, int c) { return ramp(r * k, c * k); }));
    }
    EXPECT_EQ(resampleGrid(IntGrid(3601, 3601, 1), 2, -1000).rows(), 1800);
}

TEST(Resample, AveragesTheFourNeighboursOnlyWhenAllFiveHoldData)
{
    IntGrid g(9, 9, 500);
    g(2, 2) = 9999;   // sampled interior posting: its own value is not part of the average
    g(1, 2) = 10, g(3, 2) = 20, g(2, 1) = 30, g(2, 3) = 40;
    g(4, 4) = 1;      // negative neighbours: (-1 - 2 - 3 - 4) / 4 = -2.5 -> -2
    g(3, 4) = -1, g(5, 4) = -2, g(4, 3) = -3, g(4, 5) = -4;
    g(6, 6) = 77;     // next to a void: keeps its own value
    g(6, 7) = -32768;
    g(2, 6) = -1000;  // itself at the null definition: copied as it is
    g(0, 2) = 1234;   // edge posting: copied
    const IntGrid out = resampleGrid(g, 2, -1000);
    ASSERT_EQ(out.rows(), 4);
    EXPECT_EQ(cellsAt(out, {{1, 1}, {2, 2}, {3, 3}, {1, 3}, {0, 1}}), (std::vector{25, -2, 77, -1000, 1234}));
    // A neighbour equal to the null definition is no data either.
    g(1, 2) = -1000;
    EXPECT_EQ(resampleGrid(g, 2, -1000)(1, 1), 9999);
}

TEST(Resample, ReplacesBothArraysKeepsUndoAndCornerAndRefusesASmallTile)
{
    GraphicsModel g;
    IntGrid tile(10, 12, 3);
    g.loadTile(tile);
    g.tileLatitude = 49;
    g.tileLongitude = 11;
    int fitted = 0;
    g.hooks.contentReplaced = [&] { ++fitted; };
    RecordingReporter rec;
    ASSERT_TRUE(resampleTile(g, 4, rec));
    EXPECT_EQ(std::pair(g.imageArray, g.elevationArray), std::pair(IntGrid(2, 3, 3), IntGrid(2, 3, 3)));
    // The undo copies are not updated.
    EXPECT_EQ(std::tuple(g.display.rows(), fitted, g.undoElevationArray, g.tileLatitude), std::tuple(2, 1, tile, 49.0));

    RecordingReporter refused;
    EXPECT_FALSE(resampleTile(g, 8, refused));
    EXPECT_EQ(refused.lines, (std::vector<std::string>{"Resample refused: the graphics window holds 2 x 3 postings, "
                                                      "fewer than the rate 8 in a direction."}));
    EXPECT_EQ(g.imageRows(), 2);
    GraphicsModel empty;
    EXPECT_FALSE(resampleTile(empty, 2, refused));
}
