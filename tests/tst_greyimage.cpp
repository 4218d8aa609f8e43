// The grey 2-D picture, its readout, and "Display 2D Image" without a window.
#include "app/SessionState.h"
#include "view/GreyImage.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>

TEST(GreyImage, NullDataBelowAReplacedMinimumWrapsToGrey93)
{
    // Minimum -32767 (null) is replaced by 0; maximum 1000: slope 0.2549999952 rounds 1000 down to 254.
    SessionState s;
    s.solutionGrid = RealGrid(1, 4);
    (*s.solutionGrid)(0, 0) = 1000.0;
    (*s.solutionGrid)(0, 1) = 500.0;
    (*s.solutionGrid)(0, 2) = 0.0;
    (*s.solutionGrid)(0, 3) = -32767.0;
    RecordingReporter rep;
    const GreyImage image = displaySolution(s, rep);
    ASSERT_EQ(image.picture.rows(), 1);
    EXPECT_EQ(image.picture(0, 0), 254);
    EXPECT_EQ(image.picture(0, 1), 127);
    EXPECT_EQ(image.picture(0, 2), 0);
    EXPECT_EQ(image.picture(0, 3), 93);
    EXPECT_FLOAT_EQ(image.displaySlope, 0.255f);
    EXPECT_EQ(image.displaySlope, 255.0f / 1000.0f);
    EXPECT_EQ(s.displaySlope, image.displaySlope);
    EXPECT_EQ(s.displayIntercept, image.displayIntercept);
    EXPECT_EQ(rep.lines, (std::vector<std::string>{"numberElevationRows is:  1", "numberElevationColumns is:  4",
                                                   "minimum elevation is:  0", "maximum elevation is:  1000"}));
    // One progress step per grid row, hidden at the end.
    EXPECT_EQ(rep.progressMaximum, 1);
    EXPECT_EQ(rep.progressPosition, 1);
    EXPECT_FALSE(rep.progressVisible);
}

TEST(GreyImage, DisplayGridHoldsTheFloorOfEachElevation)
{
    SessionState s;
    s.solutionGrid = RealGrid(1, 3);
    (*s.solutionGrid)(0, 0) = 10.7;
    (*s.solutionGrid)(0, 1) = -2.5;
    (*s.solutionGrid)(0, 2) = 100.0;
    RecordingReporter rep;
    displaySolution(s, rep);
    ASSERT_TRUE(s.displayGrid);
    EXPECT_EQ((*s.displayGrid)(0, 0), 10);
    EXPECT_EQ((*s.displayGrid)(0, 1), -3);
    EXPECT_TRUE(rep.has("minimum elevation is:  -2.5"));
}

TEST(GreyImage, FlatGridIsBlackWithSlope255)
{
    for (const IntGrid& g : {IntGrid(1, 1, 57), IntGrid(3, 4, 812)}) {
        NullReporter rep;
        const GreyImage image = buildGreyImage(g, g(0, 0), g(0, 0), rep);
        EXPECT_EQ(image.displaySlope, 255.0f);
        for (std::uint8_t v : image.picture.cells()) EXPECT_EQ(v, 0);
    }
}

TEST(GreyImage, RowZeroIsTheBottomLine)
{
    IntGrid g(3, 2, 0);
    g(0, 0) = 10;   // south row, west
    g(2, 1) = 5;    // north row, east
    NullReporter rep;
    const GreyImage image = buildGreyImage(g, 10, 0, rep);
    EXPECT_EQ(image.picture(2, 0), 255);   // bottom line, left
    EXPECT_EQ(image.picture(0, 1), 127);   // top line, right
    EXPECT_EQ(image.picture(0, 0), 0);
}

TEST(GreyImage, TileIsShownNorthUp)
{
    IntGrid tile(2, 2, 100);
    tile(0, 0) = 255;          // north-west
    tile(1, 1) = -32767;       // a void: the minimum becomes 0, slope 1
    NullReporter rep;
    const GreyImage image = tileGreyImage(tile, rep);
    EXPECT_EQ(image.displaySlope, 1.0f);
    EXPECT_EQ(image.picture(0, 0), 255);
    EXPECT_EQ(image.picture(0, 1), 100);
    EXPECT_EQ(image.picture(1, 1), 1);   // -32767 wraps to its low byte
}

TEST(GreyImage, ReadoutInvertsTheGreyLevel)
{
    // Minimum 100, maximum 355: slope 1, intercept -100.
    NullReporter rep;
    const GreyImage image = buildGreyImage(IntGrid(1, 1, 100), 355, 100, rep);
    EXPECT_EQ(readoutElevation(greyColour(0), image.displaySlope, image.displayIntercept), "100.00");
    EXPECT_EQ(readoutElevation(greyColour(54), image.displaySlope, image.displayIntercept), "154.00");
    // The colour / 65535 reading: every level below 255 reads back as itself, 255 as 256.
    for (int g = 0; g < 255; ++g) EXPECT_EQ(readoutLevel(greyColour(std::uint8_t(g))), g);
    EXPECT_EQ(readoutLevel(greyColour(255)), 256);
    // Level 0 of a 0..1000 picture reports the minimum.
    const GreyImage thousand = buildGreyImage(IntGrid(1, 1, 0), 1000, 0, rep);
    EXPECT_EQ(readoutElevation(greyColour(0), thousand.displaySlope, thousand.displayIntercept), "0.00");
    EXPECT_EQ(readoutElevation(greyColour(127), thousand.displaySlope, thousand.displayIntercept), "498.04");
}
