// The graphics window's commands as they run on its model (shared with
// gridmend-cli prepare): what each one leaves in the arrays, the undo copies
// and the display where the window tests cannot easily look.
#include "graphics/ContourCommands.h"
#include "graphics/GraphicsModel.h"
#include "graphics/ImageCommands.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>

TEST(ImageCommands, ThinIsRefusedWhileZoomedInAndReadsTheDisplayBackAtZoomOne)
{
    GraphicsModel g;
    IntGrid bar(7, 8, 0xFFFFFF);
    for (int r = 2; r <= 4; ++r)
        for (int c = 1; c <= 6; ++c) bar(r, c) = 0;
    g.loadPicture(bar);
    imagecmd::binarize(g, 0xFFFFFF);
    ASSERT_TRUE(g.zoomIn());
    const Picture zoomed = g.display;
    EXPECT_FALSE(imagecmd::thin(g));
    EXPECT_EQ(g.display, zoomed);
    EXPECT_EQ(g.imageArray, bar);
    ASSERT_TRUE(g.zoomOut());
    EXPECT_TRUE(imagecmd::thin(g));
    EXPECT_EQ(g.undoImageArray, bar);
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 8; ++c) {
            EXPECT_EQ(g.elevationArray(r, c), g.imageArray(r, c) == 0 ? 0 : 255);
            EXPECT_EQ(g.display(r, c), 0xFF000000u | std::uint32_t(g.imageArray(r, c)));
        }
}

TEST(ImageCommands, LineCodeIsShownGreyOrWithTheElevationColours)
{
    GraphicsModel g;
    IntGrid tagged(1, 3, 255);
    tagged(0, 1) = 480;
    tagged(0, 2) = 0;
    g.loadContourElevationArray(tagged);
    imagecmd::despeckle8Bit(g);
    EXPECT_EQ(g.display(0, 1), 0xFF000000u | 0x046320u);   // 480 x 599
    g.elevationMode = false;
    imagecmd::showLineCode(g);
    EXPECT_EQ(g.display(0, 1), 0xFF000000u | (480u & 0xFFu) * 0x010101u);
    EXPECT_EQ(g.display(0, 0), 0xFFFFFFFFu);
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
    EXPECT_EQ(g.undoElevationArray(2, 1), 0);
}

TEST(ContourCommands, TaggingUsesTheModelsOneTaggingState)
{
    GraphicsModel g;
    g.loadContourElevationArray(gridFromArt<std::int32_t>({"......", "######", "......"}, kLineCode));
    RecordingReporter log;
    g.tagging = {500, -20, true, 500};
    EXPECT_EQ(contourcmd::tagAt(g, 2, 1, MouseButton::Left, log).elevation, 500);
    EXPECT_EQ(g.tagging.currentElevation, 480);
    EXPECT_EQ(contourcmd::tagAt(g, 2, 1, MouseButton::Right, log).elevation, 500);
    EXPECT_EQ(g.tagging.currentElevation, 480);
    EXPECT_EQ(g.undoElevationArray(1, 0), 500);   // saved before the second tag
    g.tagging.lastSubmitted = 700;
    g.reset();
    EXPECT_EQ(g.tagging.currentElevation, 0);
    EXPECT_EQ(g.tagging.autoIncrementValue, 0);
    EXPECT_FALSE(g.tagging.autoIncrement);
    EXPECT_EQ(g.tagging.lastSubmitted, 700);   // the panel's value outlives Close
}

TEST(ContourCommands, DigitiserCrossSkipsPixelsAlreadyInThePenColour)
{
    GraphicsModel g;
    g.loadPicture(IntGrid(20, 20, 0xFFFFFF));
    g.display(10, 12) = 0xFF0000FFu;   // a blue pixel on the display
    g.penColor = 0xFF0000;             // screen blue
    g.tools.markerColour = 0x0000FF;   // screen red
    ASSERT_TRUE(contourcmd::digitiseAt(g, 10, 10));
    EXPECT_EQ(g.display(10, 11), 0xFFFF0000u);
    EXPECT_EQ(g.display(10, 12), 0xFF0000FFu);   // already in the pen colour: left
    EXPECT_EQ(g.display(10, 10), 0xFFFFFFFFu);
    EXPECT_EQ(g.display(2, 10), 0xFFFF0000u);
    EXPECT_EQ(g.display(1, 10), 0xFFFFFFFFu);
    EXPECT_EQ(g.imageArray(10, 11), 0xFFFFFF);   // the arrays only change on the double click
}

TEST(ContourCommands, ElevationQueryOutsideThePictureIsNoClick)
{
    GraphicsModel g;
    g.loadContourElevationArray(IntGrid(2, 2, 300));
    RecordingReporter log;
    EXPECT_FALSE(contourcmd::showElevationAt(g, 5, 0, log).inside);
    EXPECT_FALSE(contourcmd::showElevationAt(g, -1, 0, log).inside);
    EXPECT_TRUE(log.lines.empty());
    const auto click = contourcmd::showElevationAt(g, 1, 1, log);
    EXPECT_TRUE(click.inside && click.query.onLine);
    EXPECT_EQ(click.query.value, 300);
}
