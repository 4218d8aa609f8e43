// The graphics window's model without a window.
#include "graphics/Digitiser.h"
#include "graphics/GraphicsModel.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::uint32_t px(std::int32_t rgb) { return 0xFF000000u | std::uint32_t(rgb); }

} // namespace

TEST(GraphicsModel, LoadsSetTheArraysFlagsAndPen)
{
    const IntGrid contour = pictureOf({0, 500, 255, 255, 255, 30000}, 2);
    GraphicsModel g;
    g.penWidth = 7;
    g.penColor = 0xFF;
    g.loadContourElevationArray(contour);
    EXPECT_EQ(std::tuple(g.elevationMode, g.penWidth, g.penColor), std::tuple(true, 1, 0));
    EXPECT_EQ(g.elevationArray, contour);
    EXPECT_EQ(g.imageArray, pictureOf({0, 500 * 599, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 30000 * 599}, 2));
    // The elevation colour code, taken modulo 2^24.
    EXPECT_EQ(cellsAt(g.display, {{0, 1}, {1, 2}}), (std::vector{px(500 * 599), px((30000 * 599) & 0xFFFFFF)}));

    g.loadTile(contour);
    EXPECT_EQ(std::tuple(g.demTileLoaded, g.elevationMode, g.display(0, 1)), std::tuple(true, false, px(500)));
}

TEST(GraphicsModel, ZoomInAndOutByReplicationAndDecimation)
{
    GraphicsModel g;
    g.loadPicture(ramp(3, 5));
    const Picture start = g.display;
    ASSERT_TRUE(g.zoomIn() && g.zoomIn());
    EXPECT_EQ(std::tuple(g.zoomFactor, g.zoomCount, g.penWidth, g.timerIntervalMs, g.display(7, 11)),
              std::tuple(4, 2, 4, 100.0, start(1, 2)));   // each pixel a 4 x 4 block
    ASSERT_TRUE(g.zoomOut() && g.zoomOut());
    EXPECT_EQ(std::tuple(g.zoomFactor, g.zoomCount, g.timerIntervalMs), std::tuple(1, 0, 800.0));
    EXPECT_EQ(g.display, start);
}

TEST(GraphicsModel, CopyBitmapReadsEveryZoomFactorthPixel)
{
    GraphicsModel g;
    g.loadPicture(IntGrid(2, 2, 0xFFFFFF));
    ASSERT_TRUE(g.zoomIn());
    ASSERT_TRUE(g.zoomIn());
    g.display(4, 4) = px(0x123456);   // read: (4, 4) is cell (1, 1)
    g.display(1, 6) = px(0x654321);   // not read
    g.copyBitmap();
    EXPECT_EQ(g.imageArray, pictureOf({0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x123456}, 2));
    // The picture is magnified back; the stray pixel is gone.
    EXPECT_EQ(cellsAt(g.display, {{1, 6}, {7, 7}}), (std::vector{px(0xFFFFFF), px(0x123456)}));

    // In elevation mode the elevations come back: v x 599 / 599 = v, white gives 255.
    const IntGrid tagged = pictureOf({0, 255, 255, 255, 1000, 255, 28000, 255, 255}, 3);
    g.loadContourElevationArray(tagged);
    g.copyBitmap();
    EXPECT_EQ(g.elevationArray, tagged);
}

TEST(GraphicsModel, DrawingChangesOnlyTheDisplay)
{
    GraphicsModel g;
    g.loadPicture(IntGrid(10, 10, 0xFFFFFF));
    g.drawTool = true;
    g.penColor = 0x0000FF;   // red on screen
    g.penWidth = 3;
    g.mouseDown(1, 5, MouseButton::Left);
    EXPECT_TRUE(g.mouseMove(8, 5));
    // Columns 0..9 with the width; rows 4..6.
    EXPECT_EQ(cellsAt(g.display, {{5, 0}, {5, 9}, {6, 5}, {3, 5}}),
              (std::vector{px(0xFF0000), px(0xFF0000), px(0xFF0000), px(0xFFFFFF)}));
}

TEST(GraphicsModel, UndoRestoresOneLevelAndAfterSubsetTheTopLeftPart)
{
    GraphicsModel g;
    const IntGrid picture = ramp(20, 30);
    g.loadPicture(picture);
    g.saveUndo();
    g.imageArray(0, 0) = 99;
    g.elevationArray(12, 12) = -5;   // the difference between the arrays is lost by the subset
    g.undo();
    EXPECT_EQ(std::pair(g.imageArray, g.elevationArray), std::pair(picture, picture));

    g.elevationArray(12, 12) = -5;
    RecordingReporter r;
    g.subsetRequest = true;
    g.mouseDown(20, 15, MouseButton::Left);
    EXPECT_EQ(g.mouseUp(10, 10, r), RubberBandOutcome::Done);
    EXPECT_EQ(r.lines, (std::vector<std::string>{" ", "X1 is:  10", "Y1 is:  10", "X2 is:  20", "Y2 is:  15", " "}));
    EXPECT_EQ(std::tuple(g.imageRows(), g.imageColumns(), g.imageArray(0, 0), g.elevationArray(2, 2)),
              std::tuple(5, 10, picture(10, 10), picture(12, 12)));
    EXPECT_EQ(g.undoImageArray.rows(), 20);   // the undo copies keep their size
    g.undo();
    EXPECT_EQ(g.imageArray, gridBy(5, 10, [&](int r, int c) { return picture(r, c); }));
}

TEST(GraphicsModel, RubberBandCornersAreDividedByTheZoomAndClamped)
{
    GraphicsModel g;
    g.loadPicture(IntGrid(10, 8, 0));
    ASSERT_TRUE(g.zoomIn());
    EXPECT_EQ(g.cellRect(-7, 40, 5, 3), (CellRect{1, 0, 9, 2}));
    EXPECT_EQ(g.cellRect(100, 100, 3, 2), (CellRect{1, 1, 9, 7}));

    std::vector<CellRect> clipped;
    g.hooks.clicks.clipText = [&](const CellRect& rect) { clipped.push_back(rect); };
    g.clipTextRequest = true;
    RecordingReporter r;
    g.mouseDown(2, 2, MouseButton::Left);
    EXPECT_EQ(g.mouseUp(3, 30, r), RubberBandOutcome::ZeroArea);   // one column wide at cell level: 1 .. 1
    g.mouseDown(2, 2, MouseButton::Left);
    EXPECT_EQ(g.mouseUp(9, 30, r), RubberBandOutcome::Done);
    EXPECT_EQ(clipped, (std::vector{CellRect{1, 1, 9, 3}}));
}

TEST(GraphicsModel, TileReadoutGivesCellCornerDegreesAndValue)
{
    GraphicsModel g;
    g.loadTile(ramp(10, 20));
    g.tileLatitude = 45;
    g.tileLongitude = -123;
    ASSERT_TRUE(g.zoomIn());
    auto at = g.tileReadoutAt(10, 5);
    ASSERT_TRUE(at && at->value);
    EXPECT_EQ(std::tuple(at->column, at->row, at->longitude, at->latitude, *at->value),
              std::tuple(5, 2, -123 + 10.0 / 40.0, 45 + 15.0 / 20.0, 2005));
    EXPECT_FALSE(g.tileReadoutAt(1, 5)->value);   // column 0 shows no value
}

TEST(GraphicsModel, InputDataCopyWithoutLsqrZeroesOnlyPostingsBelowTheNullDefinition)
{
    GraphicsModel g;
    g.loadTile(pictureOf({-32768, -999, -1, 300}, 1));
    EXPECT_EQ(g.inputDataCopy(0), pictureOf({0, -999, -1, 300}, 1));
}
