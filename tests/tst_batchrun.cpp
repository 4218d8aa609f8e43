// Batch interpolation: the list, the output names, the loop's log lines and
// the per-file run over SRTM tiles, and "Save SRTM" with its batch twin.
#include "app/BatchRun.h"
#include "app/RunCommand.h"
#include "app/SessionState.h"
#include "formats/SrtmHgt.h"
#include "graphics/GraphicsModel.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

/// An n x n tile rising to the east and south (100 + 3 c + 2 r) with voids (-32768) in a block.
IntGrid voidedTile(int n, int top, int left, int size)
{
    IntGrid t(n, n);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            t(r, c) = r >= top && r < top + size && c >= left && c < left + size ? -32768 : 100 + 3 * c + 2 * r;
    return t;
}

struct BatchFixture : ::testing::Test {
    TempDir dir;
    SessionState session;
    GraphicsModel graphics;
    RecordingReporter rec;
    BatchList list;
    BatchHost host;   // the window's part: checked through the batch window, but for the hide

    void SetUp() override { std::tie(session.lsqrIterations, session.laplacianIterations) = std::pair(0, 200); }
    IntGrid read(const std::string& name) { return readTileFile(dir.file(name)); }
    /// Adds the file to the list, written first as a tile when one is given.
    void add(const std::string& name, const std::optional<IntGrid>& tile = {})
    {
        if (tile) writeBytes(dir.file(name), encodeSrtmTile(*tile));
        const auto dot = name.rfind('.');
        list.add(dir.file(name), dot == std::string::npos ? "" : name.substr(dot), rec);
    }
    BatchSummary run()
    {
        startBatchMode(session);
        rec.lines.clear();
        BatchSummary summary;
        const BatchJob job{list, host, &summary};
        EXPECT_EQ(runGridmend(session, graphics, rec, &job), RunOutcome::BatchFinished);
        return summary;
    }
};

} // namespace

TEST(BatchList, AddsUpToAThousandFilesAndCancelDropsTheLast)
{
    RecordingReporter rec;
    BatchList list;
    EXPECT_TRUE(list.add("/t/N45W122.hgt", ".hgt", rec) && list.add("/t/site.ind", ".ind", rec));
    EXPECT_EQ(std::pair(rec.lines, list.batchExtension), std::pair(Lines{".hgt", ".ind"}, std::string(".ind")));
    list.dropLast(), list.dropLast(), list.dropLast();   // an empty list stays empty
    EXPECT_EQ(list.batchFileCount(), 0);
    for (std::size_t i = 0; i < BatchList::kMaxFiles; ++i) ASSERT_TRUE(list.add("f.hgt", ".hgt", rec));
    rec.lines.clear();
    EXPECT_FALSE(list.add("one-too-many.hgt", ".hgt", rec));
    EXPECT_EQ(rec.lines, Lines{kBatchListFullLine});
}

// The per-file log lines and one null definition for every file: -500 is null under the batch's (-100), not
// under the window's initial -1000. The fill itself is checked through gridmend-cli batch, the rest of the
// window's part and the end of the batch mode through the batch window.
TEST_F(BatchFixture, ThreeTilesAreFilledUnderOneNullDefinitionAndTheirInputsLeftAlone)
{
    const std::string names[] = {"N45W122.hgt", "N45W123.hgt", "N46W122.hgt"};
    auto tile = [](int i) {
        IntGrid t = voidedTile(10 + i, 3, 4, 3);
        t(8, 1) = -500;
        return t;
    };
    for (int i = 0; i < 3; ++i) add(names[i], tile(i));
    int hides = 0;   // the window's graphics window, hidden before each tile is read
    host.hideGraphicsWindow = [&hides] { ++hides; };
    graphics.nullDataDefinition = -100;
    EXPECT_EQ(run().saved, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(read(names[i]), tile(i));
        EXPECT_GT(read(names[i].substr(0, 8) + "hgx")(8, 1), 100) << names[i];
        EXPECT_TRUE(rec.hasSequence({dir.file(names[i]), "opened file successfully"}));
        EXPECT_TRUE(rec.has(kFinishedFileLine + std::to_string(i)));
    }
    EXPECT_EQ(std::tuple(rec.beeps, graphics.holdsContent(), hides), std::tuple(9, false, 3));
}

TEST_F(BatchFixture, FailuresAreSkippedWithALogLine)
{
    const IntGrid t = voidedTile(8, 2, 2, 2);
    add("missing.hgt");
    add("tile.hgx", t);   // its output would be its own name
    writeBytes(dir.file("empty.hgt"), {7});
    add("empty.hgt");
    add("N45W122.hgt", t);
    const BatchSummary summary = run();
    EXPECT_TRUE(rec.hasSequence({dir.file("missing.hgt"), "could not open input file", " ", kBatchUnreadableLine}));
    EXPECT_TRUE(rec.hasSequence({dir.file("tile.hgx"), kBatchOwnNameLine}));
    EXPECT_TRUE(rec.hasSequence({srtm::kEmptyTileLine, kBatchUnreadableLine}));
    // Only the file that was saved counts as finished, with its place in the list.
    EXPECT_EQ(std::tuple(summary.saved, summary.skipped, read("tile.hgx") == t,
                         std::filesystem::exists(dir.file("missing.hgx")),
                         rec.has(std::string(kFinishedFileLine) + "0"), rec.has(std::string(kFinishedFileLine) + "3"),
                         rec.beeps),
              std::tuple(1, 3, true, false, false, true, 3));
}

TEST_F(BatchFixture, TheLastExtensionDecidesForEveryFileAndNoListIsRefused)
{
    add("N45W122.hgt", voidedTile(8, 2, 2, 2));
    add("tile");   // no extension: nothing in this batch is read
    run();
    EXPECT_EQ(rec.lines, (Lines{dir.file("N45W122.hgt"), kWrongFileTypeLine, dir.file("tile"), kWrongFileTypeLine}));
    SessionState s;
    startBatchMode(s);
    rec.lines.clear();
    EXPECT_EQ(runGridmend(s, graphics, rec), RunOutcome::Refused);
    EXPECT_EQ(rec.lines, Lines{kRunNoBatchListLine});
}
