// The graphics window's commands as they run on its model (shared with
// gridmend-cli prepare): what each one leaves in the arrays, the undo copies
// and the display where the window tests cannot easily look.
#include "graphics/ContourCommands.h"
#include "graphics/GraphicsModel.h"
#include "graphics/ImageCommands.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>
#include <tuple>

TEST(ImageCommands, ThinIsRefusedWhileZoomedInAndReadsTheDisplayBackAtZoomOne)
{
    GraphicsModel g;
    const IntGrid bar = gridBy(7, 8, [](int r, int c) { return r >= 2 && r <= 4 && c >= 1 && c <= 6 ? 0 : 0xFFFFFF; });
    g.loadPicture(bar);
    imagecmd::binarize(g, 0xFFFFFF);
    ASSERT_TRUE(g.zoomIn());
    EXPECT_FALSE(imagecmd::thin(g));
    EXPECT_EQ(g.imageArray, bar);
    ASSERT_TRUE(g.zoomOut());
    EXPECT_TRUE(imagecmd::thin(g));
    EXPECT_EQ(g.elevationArray, gridBy(7, 8, [&](int r, int c) { return g.imageArray(r, c) == 0 ? 0 : 255; }));
    EXPECT_EQ(g.display, gridBy(7, 8, [&](int r, int c) { return 0xFF000000u | std::uint32_t(g.imageArray(r, c)); }));
}

TEST(ImageCommands, LineCodeIsShownWithTheElevationColours)
{
    GraphicsModel g;
    g.loadContourElevationArray(pictureOf({255, 480, 0}, 1));
    imagecmd::despeckle8Bit(g);
    EXPECT_EQ(g.display(0, 1), 0xFF000000u | 0x046320u);   // 480 x 599
}

TEST(ContourCommands, ClipTextTakesTheDraggedCellsAtAnyZoom)
{
    GraphicsModel g;
    g.loadPicture(IntGrid(6, 6, 0));
    imagecmd::binarize(g, 0xFFFFFF);
    ASSERT_TRUE(g.zoomIn());
    contourcmd::clipText(g, g.cellRect(2, 4, 8, 8), true);   // cells rows 2 .. 3, columns 1 .. 3
    EXPECT_EQ(artFromGrid(g.elevationArray, kLineCode),
              (std::vector<std::string>{"######", "######", "#...##", "#...##", "######", "######"}));
    EXPECT_EQ(g.imageArray(2, 1), 0xFFFFFF);
}

TEST(ContourCommands, TaggingUsesTheModelsOneTaggingState)
{
    GraphicsModel g;
    g.loadContourElevationArray(gridFromArt<std::int32_t>({"......", "######", "......"}, kLineCode));
    RecordingReporter log;
    g.tagging = {500, -20, true, 500};
    EXPECT_EQ(contourcmd::tagAt(g, 2, 1, MouseButton::Left, log).elevation, 500);
    EXPECT_EQ(contourcmd::tagAt(g, 2, 1, MouseButton::Right, log).elevation, 500);
    EXPECT_EQ(g.tagging.currentElevation, 480);
}

TEST(ContourCommands, DigitiserCrossSkipsPixelsAlreadyInThePenColour)
{
    GraphicsModel g;
    g.loadPicture(IntGrid(20, 20, 0xFFFFFF));
    g.display(10, 12) = 0xFF0000FFu;   // a blue pixel on the display
    g.penColor = 0xFF0000;             // screen blue
    g.tools.markerColour = 0x0000FF;   // screen red
    ASSERT_TRUE(contourcmd::digitiseAt(g, 10, 10));
    // (10, 12) is already in the pen colour: left.
    EXPECT_EQ(cellsAt(g.display, {{10, 11}, {10, 12}, {10, 10}, {2, 10}, {1, 10}}),
              (std::vector{0xFFFF0000u, 0xFF0000FFu, 0xFFFFFFFFu, 0xFFFF0000u, 0xFFFFFFFFu}));
}
