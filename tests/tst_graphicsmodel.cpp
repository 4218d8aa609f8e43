// The graphics window's model without a window.
#include "app/SessionState.h"
#include "graphics/Digitiser.h"
#include "graphics/GraphicsModel.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>

namespace {

IntGrid ramp(int rows, int cols)
{
    IntGrid g(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) g(r, c) = r * 1000 + c;
    return g;
}

std::uint32_t px(std::int32_t rgb) { return 0xFF000000u | std::uint32_t(rgb); }

} // namespace

TEST(GraphicsModel, LoadsSetTheArraysFlagsAndPen)
{
    IntGrid contour(2, 3, 255);
    contour(0, 0) = 0;
    contour(0, 1) = 500;
    contour(1, 2) = 30000;
    GraphicsModel g;
    g.penWidth = 7;
    g.penColor = 0xFF;
    g.loadContourElevationArray(contour);
    EXPECT_TRUE(g.elevationMode);
    EXPECT_EQ(g.penWidth, 1);
    EXPECT_EQ(g.penColor, 0);
    EXPECT_EQ(g.elevationArray, contour);
    EXPECT_EQ(g.imageArray(0, 2), 0xFFFFFF);
    EXPECT_EQ(g.imageArray(0, 1), 500 * 599);
    EXPECT_EQ(g.imageArray(1, 2), 30000 * 599);
    // The elevation colour code, taken modulo 2^24.
    EXPECT_EQ(g.display(0, 0), px(0));
    EXPECT_EQ(g.display(0, 1), px(500 * 599));
    EXPECT_EQ(g.display(1, 2), px((30000 * 599) & 0xFFFFFF));

    g.loadTile(contour);
    EXPECT_TRUE(g.demTileLoaded);
    EXPECT_FALSE(g.elevationMode);
    EXPECT_EQ(g.display(0, 1), px(500));   // the raw value as a colour

    GraphicsModel batch;
    batch.storeTile(contour);
    EXPECT_TRUE(batch.demTileLoaded);
    EXPECT_EQ(batch.elevationArray, contour);
    EXPECT_TRUE(batch.display.empty());   // nothing shown
}

TEST(GraphicsModel, ZoomInAndOutByReplicationAndDecimation)
{
    GraphicsModel g;
    g.loadPicture(ramp(3, 5));
    const Picture start = g.display;
    EXPECT_FALSE(g.zoomOut());   // unavailable at zoomFactor 1
    ASSERT_TRUE(g.zoomIn());
    EXPECT_EQ(g.zoomFactor, 2);
    EXPECT_EQ(g.penWidth, 2);
    EXPECT_EQ(g.timerIntervalMs, 400.0);
    EXPECT_EQ(g.display(3, 5), start(1, 2));   // each pixel a 2 x 2 block
    ASSERT_TRUE(g.zoomIn());
    EXPECT_EQ(g.zoomFactor, 4);
    EXPECT_EQ(g.zoomCount, 2);
    EXPECT_EQ(g.timerIntervalMs, 100.0);   // 800 / 2 / 4
    EXPECT_EQ(g.display.cols(), 20);
    ASSERT_TRUE(g.zoomOut() && g.zoomOut());
    EXPECT_EQ(g.zoomFactor, 1);
    EXPECT_EQ(g.zoomCount, 0);
    EXPECT_EQ(g.timerIntervalMs, 800.0);
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
    EXPECT_EQ(g.imageArray(1, 1), 0x123456);
    EXPECT_EQ(g.elevationArray(1, 1), 0x123456);
    // The picture is magnified back; the stray pixel is gone.
    EXPECT_EQ(g.display.rows(), 8);
    EXPECT_EQ(g.display(1, 6), px(0xFFFFFF));
    EXPECT_EQ(g.display(7, 7), px(0x123456));
}

TEST(GraphicsModel, CopyBitmapInElevationModeReturnsTheElevations)
{
    IntGrid tagged(3, 3, 255);
    tagged(0, 0) = 0;
    tagged(1, 1) = 1000;
    tagged(2, 0) = 28000;
    GraphicsModel g;
    g.loadContourElevationArray(tagged);
    g.copyBitmap();
    EXPECT_EQ(g.elevationArray, tagged);   // v x 599 / 599 = v, white gives 255
}

TEST(GraphicsModel, PenColourReadsBackWithRedAndBlueExchanged)
{
    GraphicsModel g;
    g.loadPicture(IntGrid(2, 2, 0xFFFFFF));
    g.penColor = swapRedBlue(1000);   // an elevation of 1000 (0x0003E8)
    EXPECT_EQ(g.penColor, 0xE80300);
    g.setDisplayPixel(1, 0, g.penColor);
    g.copyBitmap();
    EXPECT_EQ(g.imageArray(0, 1), 1000);
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
    for (int c = 0; c <= 9; ++c) EXPECT_EQ(g.display(5, c), px(0xFF0000)) << c;   // 0..9 with the width
    EXPECT_EQ(g.display(6, 5), px(0xFF0000));
    EXPECT_EQ(g.display(3, 5), px(0xFFFFFF));
    EXPECT_EQ(g.imageArray(5, 5), 0xFFFFFF);   // arrays untouched until Copy Bitmap
}

TEST(GraphicsModel, UndoRestoresOneLevelAndAfterSubsetTheTopLeftPart)
{
    GraphicsModel g;
    g.loadPicture(ramp(4, 4));
    g.saveUndo();
    g.imageArray(0, 0) = 99;
    g.elevationArray(0, 0) = 99;
    g.undo();
    EXPECT_EQ(g.imageArray, ramp(4, 4));

    RecordingReporter r;
    ASSERT_TRUE(g.subset({1, 1, 2, 3}, r));
    EXPECT_EQ(g.imageRows(), 2);
    EXPECT_EQ(g.imageColumns(), 3);
    EXPECT_EQ(g.imageArray(0, 0), 1001);
    EXPECT_EQ(g.undoImageArray.rows(), 4);   // the undo copies keep their size
    g.undo();
    EXPECT_EQ(g.imageArray(0, 0), 0);
    EXPECT_EQ(g.imageArray(1, 2), 1002);
    EXPECT_EQ(g.imageRows(), 2);
}

TEST(GraphicsModel, SubsetLogsItsCornersAndRefusesAZeroArea)
{
    GraphicsModel g;
    IntGrid picture = ramp(20, 30);
    g.loadPicture(picture);
    g.elevationArray(12, 12) = -5;   // the difference between the arrays is lost
    RecordingReporter r;
    g.subsetRequest = true;
    g.mouseDown(20, 15, MouseButton::Left);
    EXPECT_EQ(g.mouseUp(10, 10, r), RubberBandOutcome::Done);
    EXPECT_EQ(r.lines, (std::vector<std::string>{" ", "X1 is:  10", "Y1 is:  10", "X2 is:  20", "Y2 is:  15", " "}));
    EXPECT_EQ(g.imageRows(), 5);
    EXPECT_EQ(g.imageColumns(), 10);
    EXPECT_EQ(g.imageArray(0, 0), picture(10, 10));
    EXPECT_EQ(g.elevationArray(2, 2), picture(12, 12));
    EXPECT_FALSE(g.subsetRequest);

    g.subsetRequest = true;
    RecordingReporter z;
    g.mouseDown(3, 1, MouseButton::Left);
    EXPECT_EQ(g.mouseUp(3, 4, z), RubberBandOutcome::ZeroArea);
    EXPECT_EQ(z.lines[1], "X1 is:  3");
    EXPECT_TRUE(g.subsetRequest);   // still armed for another drag
}

TEST(GraphicsModel, RubberBandCornersAreDividedByTheZoomAndClamped)
{
    GraphicsModel g;
    g.loadPicture(IntGrid(10, 8, 0));
    ASSERT_TRUE(g.zoomIn());
    EXPECT_EQ(g.cellAt(5, 3), (Cell{1, 2}));   // at zoomFactor 2
    EXPECT_EQ(g.cellRect(-7, 40, 5, 3), (CellRect{1, 0, 9, 2}));
    EXPECT_EQ(g.cellRect(100, 100, 3, 2), (CellRect{1, 1, 9, 7}));

    std::vector<CellRect> clipped;
    g.hooks.clicks.clipText = [&](const CellRect& rect) { clipped.push_back(rect); };
    g.clipTextRequest = true;
    RecordingReporter r;
    g.penWidth = 5;
    g.mouseDown(2, 2, MouseButton::Left);
    EXPECT_EQ(g.penWidth, 2);   // the pen width follows the zoom while the band is drawn
    EXPECT_EQ(g.mouseUp(3, 30, r), RubberBandOutcome::ZeroArea);   // one column wide at cell level: 1 .. 1
    EXPECT_TRUE(clipped.empty());
    EXPECT_EQ(g.penWidth, 5);   // restored
    g.mouseDown(2, 2, MouseButton::Left);
    EXPECT_EQ(g.mouseUp(9, 30, r), RubberBandOutcome::Done);
    ASSERT_EQ(clipped.size(), 1u);
    EXPECT_EQ(clipped[0], (CellRect{1, 1, 9, 3}));
    EXPECT_TRUE(g.clipTextRequest);   // "Clip Text" stays enabled
    EXPECT_TRUE(r.lines.empty());
}

TEST(GraphicsModel, MouseDownRunsTheActionsInTheirOrder)
{
    GraphicsModel g;
    g.loadPicture(IntGrid(4, 4, 0));
    std::vector<std::string> calls;
    auto record = [&](const char* name) {
        return [&calls, name](int x, int y) { calls.push_back(std::string(name) + std::to_string(x) + std::to_string(y)); };
    };
    ClickActions& a = g.hooks.clicks;
    a.tag = [&](int x, int y, MouseButton b) {
        calls.push_back("tag" + std::to_string(x) + std::to_string(y) + (b == MouseButton::Right ? "R" : "L"));
    };
    a.removeWeb = record("web");
    a.queryPixel = record("query");
    a.showElevation = record("show");
    a.digitise = record("digitise");
    a.lineScan = record("scan");
    a.interpolateSubset = [&](const CellRect&) { calls.push_back("interpolate"); };
    a.drawElevation = record("drawElevation");
    g.tagMode = g.removeWebEnabled = g.queryPixelEnabled = g.showElevationEnabled = g.digitiseEnabled =
        g.lineScanEnabled = g.drawElevationEnabled = g.interpolateSubsetRequest = true;
    g.mouseDown(1, 2, MouseButton::Right);
    EXPECT_TRUE(g.buttonHeld);
    EXPECT_EQ(g.penX, 1);
    RecordingReporter r;
    EXPECT_EQ(g.mouseUp(3, 3, r), RubberBandOutcome::Done);
    EXPECT_EQ(calls, (std::vector<std::string>{"tag12R", "web12", "query12", "show12", "digitise12", "scan12",
                                               "drawElevation33", "interpolate"}));
    EXPECT_FALSE(g.buttonHeld);
    EXPECT_TRUE(g.interpolateSubsetRequest);   // kept until the write-back

}

TEST(GraphicsModel, TileReadoutGivesCellCornerDegreesAndValue)
{
    GraphicsModel g;
    g.loadTile(ramp(10, 20));
    g.tileLatitude = 45;
    g.tileLongitude = -123;
    ASSERT_TRUE(g.zoomIn());
    auto at = g.tileReadoutAt(10, 5);
    ASSERT_TRUE(at);
    EXPECT_EQ(at->column, 5);
    EXPECT_EQ(at->row, 2);
    EXPECT_DOUBLE_EQ(at->longitude, -123 + 10.0 / 40.0);
    EXPECT_DOUBLE_EQ(at->latitude, 45 + 15.0 / 20.0);
    ASSERT_TRUE(at->value);
    EXPECT_EQ(*at->value, 2005);
    EXPECT_FALSE(g.tileReadoutAt(1, 5)->value);   // column 0 shows no value

    GraphicsModel er;
    er.loadErTile(ramp(401, 601));
    er.erCornerLatitude = -35;
    er.erCornerLongitude = 148;
    auto e = er.tileReadoutAt(601, 401);
    ASSERT_TRUE(e);
    EXPECT_DOUBLE_EQ(e->longitude, 148 + 1.5 * 601 / 601);
    EXPECT_DOUBLE_EQ(e->latitude, -35.0);
}

TEST(GraphicsModel, InputDataCopyMarksPostingsToInterpolate)
{
    const IntGrid tile = pictureOf({-32768, -999, -1, 300}, 1);
    GraphicsModel g;
    g.loadTile(tile);
    EXPECT_EQ(g.inputDataCopy(0), pictureOf({0, -999, -1, 300}, 1));   // below nullDataDefinition becomes 0
    const IntGrid lsqr = g.inputDataCopy(1);                             // every negative value becomes 0
    EXPECT_EQ(lsqr, pictureOf({0, 0, 0, 300}, 1));

    SessionState s;
    s.lsqrIterations = 5;
    g.handOverInputData(s);
    ASSERT_TRUE(s.inputGrid);
    EXPECT_EQ(*s.inputGrid, lsqr);
    EXPECT_EQ(s.numberElevationColumns, 4);
    EXPECT_EQ(g.elevationArray, tile);   // the window's array is not changed
}

TEST(GraphicsModel, CloseHandsTheArrayOverAndResetsEverything)
{
    GraphicsModel g;
    IntGrid tile = ramp(3, 2);
    g.loadTile(tile);
    g.zoomIn();
    g.nullDataDefinition = -32000;
    g.tileLatitude = 12;
    SessionState s;
    g.closeAndHandOver(s);
    ASSERT_TRUE(s.inputGrid);
    EXPECT_EQ(*s.inputGrid, tile);
    EXPECT_EQ(s.numberElevationRows, 3);
    EXPECT_FALSE(g.holdsContent());
    EXPECT_EQ(g.zoomFactor, 1);
    EXPECT_EQ(g.nullDataDefinition, -1000);
    EXPECT_EQ(g.tileLatitude, 0.0);
    EXPECT_FALSE(g.demTileLoaded);

}
