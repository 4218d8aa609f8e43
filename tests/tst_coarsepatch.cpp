// The coarse-tile repair on the graphics window's model: expand, insert, assign,
// the DTED1 patches and the DTED0 offset, with the session fields each sets.
#include "app/SessionState.h"
#include "formats/Srtm30.h"
#include "graphics/CoarsePatch.h"
#include "graphics/GraphicsModel.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

/// A tile whose posting (r, c) holds value(r, c).
template <class F>
IntGrid tileOf(int rows, int cols, F value)
{
    IntGrid g(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) g(r, c) = value(r, c);
    return g;
}

GraphicsModel withTile(const IntGrid& tile, double latitude = 49, double longitude = 11)
{
    GraphicsModel g;
    g.loadTile(tile);
    g.tileLatitude = latitude;
    g.tileLongitude = longitude;
    return g;
}

} // namespace

TEST(ExpandDted0, SpreadsTheTileOverEveryTenthPosting)
{
    GraphicsModel g = withTile(IntGrid(1201, 1201, 100));
    IntGrid dted0 = tileOf(121, 121, [](int r, int c) { return 1000 + r * 121 + c; });
    dted0(3, 4) = -1000;   // equal to nullDataDefinition: left to interpolate
    dted0(3, 5) = -999;
    dted0(7, 7) = -32767;
    g.dted0Grid = dted0;
    SessionState s;
    RecordingReporter rec;
    ASSERT_TRUE(expandDted0(g, s, rec));
    EXPECT_TRUE(rec.lines.empty());
    const RealGrid& e = *g.expandedGrid;
    ASSERT_EQ(e.rows(), 1201);
    EXPECT_EQ(e(1200, 1200), dted0(120, 120));   // the corners of both lattices coincide
    EXPECT_EQ(e(0, 0), dted0(0, 0));
    EXPECT_EQ(e(10, 20), dted0(1, 2));
    EXPECT_EQ(e(5, 5), 0.0);
    EXPECT_EQ(e(1200, 1199), 0.0);
    EXPECT_EQ(e(30, 40), 0.0);
    EXPECT_EQ(e(30, 50), -999.0);
    EXPECT_EQ(e(70, 70), 0.0);
    int known = 0;
    for (double v : e.cells()) known += v != 0.0;
    EXPECT_EQ(known, 121 * 121 - 2);
    EXPECT_FALSE(g.dted0Grid);   // released
    EXPECT_TRUE(s.fromGraphicsWindow);
    EXPECT_EQ(s.inputKind, InputKind::GraphicsGridInput);
    EXPECT_EQ(s.numberElevationRows, 1201);
    EXPECT_EQ(s.numberElevationColumns, 1201);
    EXPECT_EQ(g.elevationArray, IntGrid(1201, 1201, 100));   // the tile is untouched
}

TEST(ExpandDted0, RefusesAWindowOffTheLatticeAndDoesNothingWithoutAGrid)
{
    GraphicsModel g = withTile(IntGrid(3601, 3601, 1));
    g.dted0Grid = IntGrid(121, 121, 5);
    SessionState s;
    RecordingReporter rec;
    EXPECT_FALSE(expandDted0(g, s, rec));
    EXPECT_EQ(rec.lines, (Lines{"Expand DTED0 DEM refused: the DTED0 lattice is 1201 x 1201 postings but the graphics "
                                "window holds 3601 x 3601."}));
    EXPECT_TRUE(g.dted0Grid);
    EXPECT_FALSE(g.expandedGrid);
    EXPECT_FALSE(s.fromGraphicsWindow);
    EXPECT_EQ(s.inputKind, InputKind::NoInput);

}

TEST(ExpandSrtm30, OffsetsOfTheWorkedExample)
{
    // SRTM tile N40 W100, SRTM30 tile with north-west corner 40 N 100 W.
    const Srtm30Window outside = srtm30WindowFor(40, -100, 40, -100);
    EXPECT_EQ(outside.south, -10);
    EXPECT_EQ(outside.rowZero, -120);
    EXPECT_EQ(outside.rowOffset, 0);
    EXPECT_EQ(outside.columnZero, 0);
    EXPECT_EQ(outside.columnOffset, 120);
    const Srtm30Window inside = srtm30WindowFor(40, -100, 90, -100);
    EXPECT_EQ(inside.rowZero, 5880);
    EXPECT_EQ(inside.rowOffset, 6000);
    const Srtm30Window east = srtm30WindowFor(-10, 23, 40, 20);   // S10 E023 in e020n40
    EXPECT_EQ(east.rowZero, 6000 - (-9 + 10) * 120);
    EXPECT_EQ(east.columnZero, 360);
    EXPECT_EQ(east.columnOffset, 480);
}

TEST(ExpandSrtm30, OutsideTheTileChangesNothingButTheLog)
{
    GraphicsModel g = withTile(IntGrid(1201, 1201, 7), 40, -100);
    g.srtm30Tile = IntGrid(srtm30::kRows, srtm30::kColumns, 3);
    g.srtm30latitude = 40;
    g.srtm30longitude = -100;
    SessionState s;
    RecordingReporter rec;
    IntGrid block;
    EXPECT_EQ(expandSrtm30(g, s, rec, block), Srtm30Expansion::OutsideTile);
    EXPECT_EQ(rec.lines, (Lines{"latitude is:  40", "longitude is:  -100", "srtm30latitude is:  -10",
                                "srtm30longitude is:  -100", "srtm30RowOffset is:  0", "srtm30ColumnOffset is:  120",
                                "srtm30RowZero is:  -120", "srtm30ColumnZero is:  0", " "}));
    EXPECT_TRUE(g.srtm30Tile);
    EXPECT_FALSE(g.expandedGrid);
    EXPECT_FALSE(s.fromGraphicsWindow);

}

TEST(ExpandSrtm30, CutsTheBlockAndExpandsItOnto1201PostingsAlsoForA3601Tile)
{
    GraphicsModel g = withTile(IntGrid(3601, 3601, 7), 40, -100);
    g.srtm30Tile = tileOf(srtm30::kRows, srtm30::kColumns, [](int r, int c) { return r * 10 + c % 10; });
    g.srtm30latitude = 90;
    g.srtm30longitude = -100;
    (*g.srtm30Tile)(5880 + 2, 3) = -1000;   // at the null definition: interpolated
    SessionState s;
    RecordingReporter rec;
    IntGrid block;
    ASSERT_EQ(expandSrtm30(g, s, rec, block), Srtm30Expansion::Expanded);
    EXPECT_TRUE(rec.hasSequence({"srtm30RowOffset is:  6000", "srtm30ColumnOffset is:  120", "srtm30RowZero is:  5880",
                                 "srtm30ColumnZero is:  0", " "}));
    ASSERT_EQ(block.rows(), 120);
    ASSERT_EQ(block.cols(), 120);
    EXPECT_EQ(block(0, 0), 58800);
    EXPECT_EQ(block(119, 119), 59990 + 9);
    EXPECT_FALSE(g.srtm30Tile);   // released: a further expansion needs the file again
    const RealGrid& e = *g.expandedGrid;
    ASSERT_EQ(e.rows(), 1201);   // the SRTM-3 lattice whatever the window holds
    ASSERT_EQ(e.cols(), 1201);
    EXPECT_EQ(e(1190, 1190), block(119, 119));
    EXPECT_EQ(e(10, 20), block(1, 2));
    EXPECT_EQ(e(20, 30), 0.0);
    EXPECT_EQ(e(1200, 1190), 0.0);   // row and column 1200 are left to interpolate
    EXPECT_EQ(e(1190, 1200), 0.0);
    EXPECT_TRUE(s.fromGraphicsWindow);
    EXPECT_EQ(s.inputKind, InputKind::GraphicsGridInput);

    // Inserting a 1201 x 1201 expansion into a 3601 x 3601 tile is refused.
    RecordingReporter insert;
    EXPECT_FALSE(insertExpanded(g, s, insert));
    EXPECT_EQ(insert.lines, (Lines{"Insert Expanded DTED0 or SRTM30 into SRTM-3 refused: the expanded grid is 1201 x "
                                   "1201 postings but the graphics window holds 3601 x 3601."}));
    EXPECT_TRUE(g.expandedGrid);
    EXPECT_FALSE(g.insertedMask);
    EXPECT_FALSE(s.patchGraphicsWindow);
}

TEST(InsertExpanded, OnlyPositiveLatticePostingsFillNullPostings)
{
    IntGrid tile(21, 21, 50);
    tile(0, 0) = -32768;    // null, lattice 400: inserted
    tile(0, 10) = -1000;    // equal to the null definition: not null, kept
    tile(10, 0) = -32768;   // null, lattice -5: stays null
    tile(10, 10) = -32768;  // null, lattice 0.0 (interpolate): stays null
    tile(5, 5) = -32768;    // null off the lattice: stays null
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
    EXPECT_EQ(g.elevationArray(0, 0), 400);
    EXPECT_EQ(g.imageArray(0, 0), 400);
    EXPECT_EQ(g.elevationArray(0, 10), -1000);
    EXPECT_EQ(g.elevationArray(10, 0), -32768);
    EXPECT_EQ(g.elevationArray(10, 10), -32768);
    EXPECT_EQ(g.elevationArray(5, 5), -32768);
    EXPECT_EQ(g.elevationArray(20, 20), 60);
    ASSERT_TRUE(g.insertedMask);
    EXPECT_EQ((*g.insertedMask)(0, 0), 1);
    EXPECT_FALSE(g.expandedGrid);
    EXPECT_FALSE(s.fromGraphicsWindow);
    EXPECT_TRUE(s.patchGraphicsWindow);
    EXPECT_EQ(s.inputKind, InputKind::SessionGridInput);
    EXPECT_EQ(s.numberElevationRows, 21);
    EXPECT_EQ(s.numberElevationColumns, 21);
    EXPECT_EQ(g.display(0, 0), 0xFF000000u | 400u);   // the display was refreshed

}

TEST(AssignInterpolated, FlipsTruncatesAndFillsOnlyNullPostings)
{
    IntGrid tile(3, 2, 10);
    tile(0, 0) = -32768;
    tile(2, 1) = -1001;
    tile(1, 1) = -1000;   // not null
    GraphicsModel g = withTile(tile);
    RealGrid solution(3, 2);   // row 0 = south
    solution(2, 0) = 77.9;     // north-west
    solution(0, 1) = -3.7;     // south-east
    solution(1, 1) = 555;
    g.interpolatedGrid = solution;
    RecordingReporter rec;
    ASSERT_TRUE(assignInterpolated(g, rec));
    EXPECT_EQ(g.elevationArray(0, 0), 77);
    EXPECT_EQ(g.imageArray(0, 0), 77);
    EXPECT_EQ(g.elevationArray(2, 1), -3);
    EXPECT_EQ(g.elevationArray(1, 1), -1000);
    EXPECT_EQ(g.elevationArray(0, 1), 10);
    EXPECT_FALSE(g.interpolatedGrid);

    g.interpolatedGrid = RealGrid(2, 2, 1.0);
    RecordingReporter mismatch;
    EXPECT_FALSE(assignInterpolated(g, mismatch));
    EXPECT_EQ(mismatch.lines, (Lines{"Assign Interpolated Elevations refused: the interpolated grid is 2 x 2 postings "
                                     "but the graphics window holds 3 x 2."}));
    EXPECT_TRUE(g.interpolatedGrid);
}

TEST(PatchFromDted1, CopiesIntoNullPostingsWhenTheCornersMatch)
{
    IntGrid tile(1201, 1201, 5);
    tile(3, 4) = -32768;
    tile(1200, 0) = -32768;
    tile(6, 6) = -1000;
    GraphicsModel g = withTile(tile, 49, 11);
    IntGrid dted1 = tileOf(1201, 1201, [](int r, int c) { return r + c; });
    g.dted1Grid = dted1;
    g.dted1Latitude = 48.5;   // within a degree: the integer part of the difference is 0
    g.dted1Longitude = 11;
    RecordingReporter rec;
    ASSERT_TRUE(patchFromDted1(g, rec));
    EXPECT_EQ(g.elevationArray(3, 4), 7);
    EXPECT_EQ(g.imageArray(3, 4), 7);
    EXPECT_EQ(g.elevationArray(1200, 0), 1200);
    EXPECT_EQ(g.elevationArray(6, 6), -1000);
    EXPECT_EQ(g.elevationArray(0, 0), 5);
    EXPECT_TRUE(g.dted1Grid);   // kept

    g.dted1Longitude = 12;
    g.elevationArray(3, 4) = -32768;
    RecordingReporter corner;
    EXPECT_FALSE(patchFromDted1(g, corner));
    EXPECT_EQ(corner.lines, (Lines{coarsepatch::kCornersDifferLine}));
    EXPECT_EQ(g.elevationArray(3, 4), -32768);

}

TEST(ExpandDted1, SeedsSrtm1VoidsOnEveryThirdPostingAndNeverCopiesTheFiller)
{
    IntGrid dted1 = tileOf(1201, 1201, [](int r, int c) { return 100 + r + c; });
    dted1(2, 2) = -32767;   // a DTED1 void is not copied either
    dted1(4, 4) = -499;     // the smallest value copied
    const IntGrid expanded = expandDted1(dted1);
    ASSERT_EQ(expanded.rows(), 3601);
    EXPECT_EQ(expanded(3600, 3600), dted1(1200, 1200));
    EXPECT_EQ(expanded(3, 6), dted1(1, 2));
    EXPECT_EQ(expanded(1, 0), coarsepatch::kDted1Filler);
    EXPECT_EQ(expanded(3600, 3599), coarsepatch::kDted1Filler);

    GraphicsModel g = withTile(IntGrid(3601, 3601, -32768), 48, -125);
    g.elevationArray(9, 9) = 42;
    g.imageArray(9, 9) = 42;
    g.dted1Grid = dted1;
    RecordingReporter rec;
    ASSERT_TRUE(expandDted1AndPatchSrtm1(g, rec));
    EXPECT_TRUE(rec.lines.empty());
    EXPECT_EQ(g.elevationArray(3, 6), dted1(1, 2));
    EXPECT_EQ(g.imageArray(3, 6), dted1(1, 2));
    EXPECT_EQ(g.elevationArray(12, 12), -499);
    EXPECT_EQ(g.elevationArray(6, 6), -32768);   // the DTED1 void stays null
    EXPECT_EQ(g.elevationArray(9, 9), 42);       // known postings are kept
    int filler = 0, nulls = 0;
    for (std::int32_t v : g.elevationArray.cells()) {
        filler += v == coarsepatch::kDted1Filler;
        nulls += v == -32768;
    }
    EXPECT_EQ(filler, 0);
    EXPECT_EQ(nulls, 3601 * 3601 - 1201 * 1201 + 1);   // off the lattice: left for interpolation
    EXPECT_FALSE(g.dted1Grid);

    GraphicsModel srtm3 = withTile(IntGrid(1201, 1201, -32768));
    srtm3.dted1Grid = dted1;
    RecordingReporter refused;
    EXPECT_FALSE(expandDted1AndPatchSrtm1(srtm3, refused));
    EXPECT_EQ(refused.lines, (Lines{"This menu selection is for interpolating SRTM-1 files only!"}));
    EXPECT_TRUE(srtm3.dted1Grid);
    EXPECT_EQ(srtm3.elevationArray(0, 0), -32768);
}

TEST(OffsetDted0, AddsToEveryPostingOfAHeldGrid)
{
    GraphicsModel g;
    addDted0Offset(g, 5);   // nothing held: nothing happens
    EXPECT_FALSE(g.dted0Grid);
    g.dted0Grid = IntGrid(121, 121, 100);
    (*g.dted0Grid)(0, 0) = 2147483000;
    addDted0Offset(g, 5);
    addDted0Offset(g, -2);   // the offsets accumulate
    EXPECT_EQ((*g.dted0Grid)(120, 120), 103);
    EXPECT_EQ((*g.dted0Grid)(0, 0), 2147483003);
    addDted0Offset(g, 2000);
    EXPECT_EQ((*g.dted0Grid)(0, 0), 2147483647);   // saturates instead of overflowing
}
