// The DTED1 loader of "&Open" with its kept header block, the merge openers of
// DTED0, DTED1 and SRTM30 patch sources, and "Save DTED1" behind the kept header.
#include "app/SaveCommands.h"
#include "app/SessionState.h"
#include "graphics/GraphicsLoaders.h"
#include "graphics/GraphicsModel.h"
#include "graphics/MergeLoaders.h"
#include "DtedFiles.h"
#include "GridArt.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

using Lines = std::vector<std::string>;

} // namespace

TEST(MergeLoaders, OpenOfARealDted1CellLoadsTheTileNorthUpWithItsCornerAndKeepsTheHeader)
{
    GraphicsModel g;
    RecordingReporter rec;
    ASSERT_TRUE(loadDted1Tile(testData("n00_e006_profiles670-677.dt1"), g, rec));
    EXPECT_EQ(rec.lines,
              (Lines{"longitude is:  006", "latitude is:  00", "6", "0", "opened file successfully", " ",
                     "longitudeProfiles is:  1201",
                     "DTED file not whole: 1193 of 1201 longitude profiles missing or cut short (read as -32767)."}));
    EXPECT_EQ(std::tuple(g.demTileLoaded, g.tileLatitude, g.tileLongitude), std::tuple(true, 0.0, 6.0));
    ASSERT_EQ(g.imageRows(), 1201);
    // Postings of profiles 670.. as GDAL reads the whole cell (row 0 = north), in their own columns.
    EXPECT_EQ(cellsAt(g.elevationArray, {{785, 670}, {1000, 673}, {1144, 670}}), (std::vector{99, 637, -4}));
    const auto file = readBytes(testData("n00_e006_profiles670-677.dt1"));
    EXPECT_EQ(g.dted1Header, std::vector<std::uint8_t>(file.begin(), file.begin() + 3436));
}

TEST(MergeLoaders, Dted0MergeSourceFromARealCell)
{
    GraphicsModel g;
    RecordingReporter rec;
    EXPECT_EQ(loadDted0MergeDem(testData("n43.dt0"), ".dt0", g, rec), MergeLoad::Loaded);
    EXPECT_EQ(rec.lines, (Lines{"opened file successfully", " ", "longitudeProfiles is:  121"}));
    ASSERT_TRUE(g.dted0Grid);   // as GDAL reads n43.dt0, north up
    EXPECT_EQ(cellsAt(*g.dted0Grid, {{0, 0}, {120, 120}, {60, 55}}), (std::vector{294, 182, 75}));

    RecordingReporter wrong;
    EXPECT_EQ(loadDted0MergeDem("/data/n43.DT0", ".DT0", g, wrong), MergeLoad::WrongType);
    EXPECT_EQ(wrong.lines, (Lines{"Invalid file type.  File must be .dt0"}));
}

TEST(MergeLoaders, Dted1MergeSourceKeepsItsCornerButNotItsHeader)
{
    TempDir dir;
    const IntGrid tile(1201, 1201, 321);
    writeBytes(dir.file("n48_w125.dt1"), dtedFileOfTile(tile, {"1250000.0W", "480000N"}));
    GraphicsModel g;
    g.dted1Header = std::vector<std::uint8_t>(3436, 'k');
    RecordingReporter rec;
    EXPECT_EQ(loadDted1MergeDem(dir.file("n48_w125.dt1"), ".dt1", g, rec), MergeLoad::Loaded);
    EXPECT_EQ(std::tuple(g.dted1Grid, g.dted1Latitude, g.dted1Longitude, g.demTileLoaded),
              std::tuple(tile, 48.0, -125.0, false));
    EXPECT_EQ(g.dted1Header, std::vector<std::uint8_t>(3436, 'k'));

    RecordingReporter wrong;
    EXPECT_EQ(loadDted1MergeDem("/data/x.dt0", ".dt0", g, wrong), MergeLoad::WrongType);
    EXPECT_EQ(wrong.lines, (Lines{"Invalid file type.  File must be .dt1"}));
}

TEST(MergeLoaders, Srtm30MergeSourceTakesItsCornerFromTheName)
{
    TempDir dir;
    std::vector<std::uint8_t> rows(2 * 4800 * 2, 0);   // two rows only: the rest is -32768
    rows[2 * 4800 + 2 * 7] = 0x01;                     // row 1, column 7: 256
    writeBytes(dir.file("e010n50.dem"), rows);
    GraphicsModel g;
    SessionState s;
    RecordingReporter rec;
    EXPECT_EQ(loadSrtm30MergeDem(dir.file("e010n50.dem"), ".dem", g, s, rec), MergeLoad::Loaded);
    EXPECT_EQ(std::pair(g.srtm30latitude, g.srtm30longitude), std::pair(50, 10));
    ASSERT_TRUE(g.srtm30Tile);
    EXPECT_EQ(cellsAt(*g.srtm30Tile, {{1, 7}, {2, 0}}), (std::vector{256, -32768}));
    EXPECT_EQ(std::pair(s.inputKind, s.sizeFromInput), std::pair(InputKind::SessionGridInput, true));

    SessionState untouched;
    RecordingReporter upper;
    EXPECT_EQ(loadSrtm30MergeDem(dir.file("e010n50.DEM"), ".DEM", g, untouched, upper), MergeLoad::WrongType);
    EXPECT_TRUE(upper.lines.empty() && untouched.inputKind == InputKind::NoInput);
}

TEST(MergeLoaders, SaveDted1RefusesBeforeAnyDted1WasOpenedThenWritesBehindTheKeptHeader)
{
    TempDir dir;
    SessionState s;
    s.solutionGrid = gridBy(1201, 1201, [](int r, int c) { return 100 + r + 0.5 * c; });   // row 0 = south
    RecordingReporter refused;
    EXPECT_FALSE(saveSolutionAsDted1(dir.file("out.dt1"), s, {}, refused));
    EXPECT_EQ(refused.lines, (Lines{dir.file("out.dt1"), dted::kNoHeaderLine}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.dt1")));

    GraphicsModel opened;
    RecordingReporter rec;
    writeBytes(dir.file("in.dt1"), dtedFileOfTile(IntGrid(1201, 1201, 9), {"0110000.0E", "490000N"}));
    ASSERT_TRUE(loadDted1Tile(dir.file("in.dt1"), opened, rec));
    RecordingReporter saved;
    ASSERT_TRUE(saveSolutionAsDted1(dir.file("out.dt1"), s, opened.dted1Header, saved));

    // Reopened with "&Open", the tile shows the solution with north at the top; 101.5 is truncated.
    GraphicsModel back;
    ASSERT_TRUE(loadDted1Tile(dir.file("out.dt1"), back, rec));
    EXPECT_EQ(cellsAt(back.elevationArray, {{1200, 0}, {0, 0}, {0, 1200}, {1200, 3}}),
              (std::vector{100, 1300, 1900, 101}));
}
