// The coarse-tile repair on the graphics window's model: expand, insert, assign,
// the DTED1 patches and the DTED0 offset, with the session fields each sets.
#include "app/SessionState.h"
#include "formats/Srtm30.h"
#include "graphics/CoarsePatch.h"
#include "graphics/GraphicsModel.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

using Lines = std::vector<std::string>;

GraphicsModel withTile(const IntGrid& tile, double latitude = 49, double longitude = 11)
{
    GraphicsModel g;
    g.loadTile(tile);
    g.tileLatitude = latitude;
    g.tileLongitude = longitude;
    return g;
}

auto sessionFields(const SessionState& s)
{
    return std::tuple(s.fromGraphicsWindow, s.patchGraphicsWindow, s.inputKind, s.numberElevationRows,
                      s.numberElevationColumns);
}

} // namespace

TEST(ExpandDted0, SpreadsTheTileOverEveryTenthPostingOrRefusesAWindowOffTheLattice)
{
    GraphicsModel g = withTile(IntGrid(1201, 1201, 100));
    IntGrid dted0 = gridBy(121, 121, [](int r, int c) { return 1000 + r * 121 + c; });
    dted0(3, 4) = -1000;   // equal to nullDataDefinition: left to interpolate
    dted0(3, 5) = -999;
    dted0(7, 7) = -32767;
    g.dted0Grid = dted0;
    SessionState s;
    RecordingReporter rec;
    ASSERT_TRUE(expandDted0(g, s, rec));
    const RealGrid& e = *g.expandedGrid;
    ASSERT_EQ(e.rows(), 1201);
    EXPECT_EQ(cellsAt(e, {{1200, 1200}, {0, 0}, {10, 20}, {5, 5}, {1200, 1199}, {30, 40}, {30, 50}, {70, 70}}),
              (std::vector<double>{double(dted0(120, 120)), double(dted0(0, 0)), double(dted0(1, 2)), 0, 0, 0,
                                   -999, 0}));
    EXPECT_FALSE(g.dted0Grid);   // released
    EXPECT_EQ(sessionFields(s), std::tuple(true, false, InputKind::GraphicsGridInput, 1201, 1201));
}

TEST(ExpandSrtm30, OffsetsSouthOfTheEquatorAndEastOfTheSrtm30Corner)
{
    const Srtm30Window w = srtm30WindowFor(-10, 23, 40, 20);   // S10 E023 in e020n40
    EXPECT_EQ(std::tuple(w.south, w.rowZero, w.rowOffset, w.columnZero, w.columnOffset),
              std::tuple(-10, 5880, 6000, 360, 480));
}

TEST(ExpandSrtm30, CutsTheBlockAndExpandsItOnto1201PostingsAlsoForA3601Tile)
{
    GraphicsModel g = withTile(IntGrid(3601, 3601, 7), 40, -100);
    g.srtm30Tile = gridBy(srtm30::kRows, srtm30::kColumns, [](int r, int c) { return r * 10 + c % 10; });
    g.srtm30latitude = 90;
    g.srtm30longitude = -100;
    (*g.srtm30Tile)(5880 + 2, 3) = -1000;   // at the null definition: interpolated
    SessionState s;
    RecordingReporter rec;
    IntGrid block;
    ASSERT_EQ(expandSrtm30(g, s, rec, block), Srtm30Expansion::Expanded);
    ASSERT_EQ(std::pair(block.rows(), block.cols()), std::pair(120, 120));
    EXPECT_EQ(cellsAt(block, {{0, 0}, {119, 119}}), (std::vector{58800, 59999}));
    const RealGrid& e = *g.expandedGrid;
    ASSERT_EQ(std::pair(e.rows(), e.cols()), std::pair(1201, 1201));   // the SRTM-3 lattice whatever the window holds
    // Row and column 1200 are left to interpolate.
    EXPECT_EQ(cellsAt(e, {{1190, 1190}, {10, 20}, {20, 30}, {1200, 1190}, {1190, 1200}}),
              (std::vector<double>{59999, 58810 + 2, 0, 0, 0}));

    // Inserting a 1201 x 1201 expansion into a 3601 x 3601 tile is refused.
    RecordingReporter insert;
    EXPECT_FALSE(insertExpanded(g, s, insert));
    EXPECT_EQ(insert.lines, (Lines{"Insert Expanded DTED0 or SRTM30 into SRTM-3 refused: the expanded grid is 1201 x "
                                   "1201 postings but the graphics window holds 3601 x 3601."}));
}

TEST(InsertExpanded, OnlyPositiveLatticePostingsFillNullPostings)
{
    IntGrid tile(21, 21, 50);
    tile(0, 0) = -32768;    // null, lattice 400: inserted
    tile(0, 10) = -1000;    // equal to the null definition: not null, kept
    tile(10, 0) = -32768;   // null, lattice -5: stays null
    tile(10, 10) = -32768;  // null, lattice 0.0 (interpolate): stays null
    tile(20, 20) = 60;      // not null: kept although the lattice holds 900
    GraphicsModel g = withTile(tile);
    RealGrid expanded(21, 21, 0.0);
    expanded(0, 0) = 400.9;
    expanded(0, 10) = 300;
    expanded(10, 0) = -5;
    expanded(20, 20) = 900;
    g.expandedGrid = expanded;
    SessionState s;
    s.fromGraphicsWindow = true;
    RecordingReporter rec;
    ASSERT_TRUE(insertExpanded(g, s, rec));
    tile(0, 0) = 400;
    EXPECT_EQ(g.elevationArray, tile);
    // The display is refreshed, the inserted posting marked.
    EXPECT_EQ(
        std::tuple(g.imageArray(0, 0), g.display(0, 0), bool(g.expandedGrid), g.insertedMask.value_or(ByteGrid())),
        std::tuple(400, 0xFF000000u | 400u, false,
                   gridBy(21, 21, [](int r, int c) { return std::uint8_t(r + c == 0); })));
    EXPECT_EQ(sessionFields(s), std::tuple(false, true, InputKind::SessionGridInput, 21, 21));
}

TEST(AssignInterpolated, FlipsTruncatesAndFillsOnlyNullPostings)
{
    GraphicsModel g = withTile(pictureOf({-32768, 10, 10, -1000, 10, -1001}, 3));
    RealGrid solution(3, 2);   // row 0 = south
    solution(2, 0) = 77.9;     // north-west
    solution(0, 1) = -3.7;     // south-east
    solution(1, 1) = 555;
    g.interpolatedGrid = solution;
    RecordingReporter rec;
    ASSERT_TRUE(assignInterpolated(g, rec));
    EXPECT_EQ(std::pair(g.elevationArray, g.imageArray), std::pair(pictureOf({77, 10, 10, -1000, 10, -3}, 3),
                                                                   pictureOf({77, 10, 10, -1000, 10, -3}, 3)));
}

TEST(PatchFromDted1, CopiesIntoNullPostingsWhenTheCornersMatch)
{
    IntGrid tile(1201, 1201, 5);
    tile(3, 4) = -32768;
    tile(1200, 0) = -32768;
    tile(6, 6) = -1000;
    GraphicsModel g = withTile(tile, 49, 11);
    g.dted1Grid = gridBy(1201, 1201, [](int r, int c) { return r + c; });
    g.dted1Latitude = 48.5;   // within a degree: the integer part of the difference is 0
    g.dted1Longitude = 11;
    RecordingReporter rec;
    ASSERT_TRUE(patchFromDted1(g, rec));
    EXPECT_EQ(cellsAt(g.elevationArray, {{3, 4}, {1200, 0}, {6, 6}, {0, 0}}), (std::vector{7, 1200, -1000, 5}));
    EXPECT_EQ(std::pair(g.imageArray(3, 4), bool(g.dted1Grid)), std::pair(7, true));   // the DTED1 grid is kept

    g.dted1Longitude = 12;
    RecordingReporter corner;
    EXPECT_FALSE(patchFromDted1(g, corner));
    EXPECT_EQ(corner.lines, (Lines{coarsepatch::kCornersDifferLine}));
}

TEST(ExpandDted1, SeedsSrtm1VoidsOnEveryThirdPostingOnly)
{
    IntGrid dted1 = gridBy(1201, 1201, [](int r, int c) { return 100 + r + c; });
    dted1(2, 2) = -32767;   // a DTED1 void is not copied either
    dted1(4, 4) = -499;     // the smallest value copied
    GraphicsModel g = withTile(IntGrid(3601, 3601, -32768), 48, -125);
    g.elevationArray(9, 9) = 42;
    g.imageArray(9, 9) = 42;
    g.dted1Grid = dted1;
    RecordingReporter rec;
    ASSERT_TRUE(expandDted1AndPatchSrtm1(g, rec));
    // The DTED1 void stays null, known postings are kept.
    EXPECT_EQ(cellsAt(g.elevationArray, {{3, 6}, {12, 12}, {6, 6}, {9, 9}}), (std::vector{103, -499, -32768, 42}));
    EXPECT_EQ(g.imageArray(3, 6), 103);
    // Off the lattice: left for interpolation.
    EXPECT_EQ(std::ranges::count(g.elevationArray.cells(), -32768), 3601 * 3601 - 1201 * 1201 + 1);

    GraphicsModel srtm3 = withTile(IntGrid(1201, 1201, -32768));
    srtm3.dted1Grid = dted1;
    RecordingReporter refused;
    EXPECT_FALSE(expandDted1AndPatchSrtm1(srtm3, refused));
    EXPECT_EQ(refused.lines, (Lines{"This menu selection is for interpolating SRTM-1 files only!"}));
}

TEST(OffsetDted0, AddsToEveryPostingOfAHeldGridAndSaturates)
{
    GraphicsModel g;
    g.dted0Grid = IntGrid(121, 121, 100);
    (*g.dted0Grid)(0, 0) = 2147483000;
    addDted0Offset(g, 5);
    addDted0Offset(g, 2000);   // the offsets accumulate and saturate
    EXPECT_EQ(cellsAt(*g.dted0Grid, {{120, 120}, {0, 0}}), (std::vector{2105, 2147483647}));
}
