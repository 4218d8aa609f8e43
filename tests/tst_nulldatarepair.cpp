// Null data, sea-level clipping, offsets, the subset request and the repair
// write-backs on the graphics window's model.
#include "app/core/GridOps.h"
#include "app/RunCommand.h"
#include "app/SessionState.h"
#include "graphics/GraphicsModel.h"
#include "graphics/NullDataRepair.h"
#include "GridArt.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

/// A solution (south row first) whose value at north-first posting (r, c) is 1000 + 10 r + c + 0.7.
RealGrid solutionFor(int rows, int columns)
{
    return gridBy(rows, columns, [&](int r, int c) { return 1000 + 10 * (rows - 1 - r) + c + 0.7; });
}

struct RepairFixture : ::testing::Test {
    GraphicsModel model;
    SessionState session;
    RecordingReporter rec;
    int smoothings = 0;

    void SetUp() override { model.hooks.solutionReplaced = [this] { ++smoothings; }; }
};

} // namespace

TEST_F(RepairFixture, SeaLevelClippingZeroesTheInclusiveBandInBothArrays)
{
    model.loadTile(gridOf({{-16, -15, 0, 3, 4, -32768}}));
    fixSeaLevelElevations(model);
    EXPECT_EQ(std::pair(model.elevationArray, model.imageArray),
              std::pair(gridOf({{-16, 0, 0, 0, 4, -32768}}), gridOf({{-16, 0, 0, 0, 4, -32768}})));
    setSeaLevelLimits(model, -20, 10, rec);
    fixSeaLevelElevations(model);
    EXPECT_EQ(model.elevationArray, gridOf({{0, 0, 0, 0, 0, -32768}}));
}

TEST_F(RepairFixture, ScaleAndOffsetTruncateTowardZero)
{
    model.loadTile(gridOf({{3, -3, 7, -7}}));
    scaleArrays(model, 0.5, rec);
    EXPECT_EQ(std::tuple(model.elevationArray, model.imageArray, model.scaleFactor),
              std::tuple(gridOf({{1, -1, 3, -3}}), gridOf({{1, -1, 3, -3}}), 0.5));
    offsetArrays(model, 1.5, rec);
    EXPECT_EQ(std::pair(model.elevationArray, model.arrayOffset), std::pair(gridOf({{2, 0, 4, -1}}), 1.5));
}

TEST_F(RepairFixture, WriteBackFillsOnlyNullPostingsFlippedAndTruncated)
{
    model.loadTile(gridOf({{-32768, -999, 5}, {-1001, 300, -32768}}));
    session.solutionGrid = solutionFor(2, 3);
    session.solutionGrid->operator()(0, 2) = -2.7;   // north-first posting (1, 2)
    model.writeBackAfterRun(session, rec);
    const IntGrid expected = gridOf({{1000, -999, 5}, {1010, 300, -2}});
    EXPECT_EQ(std::pair(model.elevationArray, model.imageArray), std::pair(expected, expected));
    // The whole grid becomes the solution, south row first.
    EXPECT_EQ(*session.solutionGrid, gridops::toRealGrid(gridops::flipped(expected)));
    EXPECT_EQ(std::pair(session.numberElevationRows, smoothings), std::pair(2, 1));
}

TEST_F(RepairFixture, NullDefinitionDecidesWhatIsFilled)
{
    model.loadTile(gridOf({{-32000, -32001, -1001, -999}}));
    model.nullDataDefinition = -32000;
    session.solutionGrid = solutionFor(1, 4);
    model.writeBackAfterRun(session, rec);
    EXPECT_EQ(model.elevationArray, gridOf({{-32000, 1001, -1001, -999}}));
}

TEST_F(RepairFixture, SubsetRequestAndItsWriteBack)
{
    model.loadTile(gridOf({{-32768, -32768, -32768, -32768},
                           {-32768, -5, -32768, -32768},
                           {-32768, 7, -32768, -32768}}));
    EXPECT_FALSE(storeSubsetForInterpolation(model, {1, 1, 0, 2}, session));   // zero area
    EXPECT_FALSE(storeSubsetForInterpolation(model, {2, 1, 2, 2}, session));   // leaves the arrays
    for (const CellRect& huge : {CellRect{2147483000, 0, 1000, 2}, CellRect{-2147483647, 0, 2147483647, 2}})
        EXPECT_FALSE(storeSubsetForInterpolation(model, huge, session));   // sums that would wrap
    ASSERT_TRUE(storeSubsetForInterpolation(model, {1, 1, 2, 2}, session));
    // Negative values become 0 on a tile.
    EXPECT_EQ(std::tuple(*session.inputGrid, session.numberElevationRows, session.numberElevationColumns,
                         model.subsetInterpolationPending),
              std::tuple(gridOf({{0, 0}, {7, 0}}), 2, 2, true));

    model.interpolateSubsetRequest = true;
    session.solutionGrid = solutionFor(2, 2);
    model.writeBackAfterRun(session, rec);
    EXPECT_EQ(model.elevationArray, gridOf({{-32768, -32768, -32768, -32768},
                                            {-32768, -5, 1001, -32768},
                                            {-32768, 7, 1011, -32768}}));
    EXPECT_FALSE(model.subsetInterpolationPending || model.interpolateSubsetRequest);

    // A picture's block is copied as it is.
    GraphicsModel picture;
    picture.loadPicture(gridOf({{-1, 2}, {3, -4}}));
    ASSERT_TRUE(storeSubsetForInterpolation(picture, {0, 0, 2, 2}, session));
    EXPECT_EQ(*session.inputGrid, gridOf({{-1, 2}, {3, -4}}));
}

TEST(RunWriteBack, AModelThatShowsNothingFillsAsTheWindowDoes)
{
    // 70000 keeps the tile in 32 bits during the Run; 255 is no data to the engine, a known posting to the write-back.
    for (const std::int32_t far : {5, 70000}) {
        const IntGrid tile = gridOf({{-32768, 255, far, 40}, {-1001, 300, -32768, 12}, {7, -32768, 9, -32768}});
        auto run = [&](bool shown, bool keepSolution) {
            GraphicsModel graphics;
            SessionState s;
            RecordingReporter rec;
            graphics.interactive = shown;
            graphics.loadTile(tile);
            s.laplacianIterations = 3;
            s.solutionAfterWriteBack = keepSolution;
            graphics.handOverInputData(s);
            EXPECT_EQ(runGridmend(s, graphics, rec), RunOutcome::Completed);
            return std::pair(graphics.elevationArray, s.solutionGrid);
        };
        const auto window = run(true, true);
        EXPECT_EQ(run(false, true), window);
        EXPECT_EQ(run(false, false), std::pair(window.first, std::optional<RealGrid>()));
    }
}

TEST_F(RepairFixture, InsertedPostingsGetTheSolvedSurfaceAndTheMaskIsReleased)
{
    model.loadTile(gridOf({{-32768, 50, 60}}));
    model.insertedMask = ByteGrid(1, 3, 0);
    (*model.insertedMask)(0, 1) = 1;   // a coarse value inserted into a void
    session.patchGraphicsWindow = true;
    session.solutionGrid = solutionFor(1, 3);
    model.writeBackAfterRun(session, rec);
    EXPECT_EQ(model.elevationArray, gridOf({{1000, 1001, 60}}));
    EXPECT_FALSE(model.insertedMask || session.patchGraphicsWindow);
}

TEST_F(RepairFixture, SolutionOfAnotherSizeIsRefusedAndNothingChanges)
{
    const IntGrid tile = gridOf({{-32768, 1}, {2, -32768}});
    model.loadTile(tile);
    session.solutionGrid = solutionFor(3, 2);
    model.writeBackAfterRun(session, rec);
    EXPECT_EQ(rec.lines, (std::vector<std::string>{
                             "Write-back refused: the solution is 3 x 2 postings, the graphics window's grid 2 x 2."}));
    EXPECT_EQ(std::tuple(model.elevationArray, session.solutionGrid->rows(), smoothings), std::tuple(tile, 3, 0));
}

TEST_F(RepairFixture, StoreOnlyWriteBackChangesTheElevationsAndZeroesTheSeaBand)
{
    const IntGrid tile = gridOf({{-32768, -201, -200, -1, 0, 12}});
    model.storeTile(tile);
    model.nullDataDefinition = -32000;
    session.solutionGrid = solutionFor(1, 6);
    model.storeOnlyWriteBack(session, rec);
    const IntGrid expected = gridOf({{1000, -201, 0, 0, 0, 12}});
    // Nothing shown, the picture's array untouched.
    EXPECT_EQ(std::tuple(model.elevationArray, model.imageArray, smoothings), std::tuple(expected, tile, 1));
    EXPECT_EQ(*session.solutionGrid, gridops::toRealGrid(expected));

    // With a subset pending: the subset's null postings only, and the grid is released.
    model.storeTile(gridOf({{-32768, -32768}, {-50, -32768}}));
    ASSERT_TRUE(storeSubsetForInterpolation(model, {1, 0, 1, 2}, session));
    session.solutionGrid = solutionFor(1, 2);
    model.storeOnlyWriteBack(session, rec);
    EXPECT_EQ(*session.solutionGrid, gridops::toRealGrid(gridops::flipped(gridOf({{-32768, -32768}, {-50, 1001}}))));
    EXPECT_FALSE(model.holdsContent() || model.subsetInterpolationPending);
}
