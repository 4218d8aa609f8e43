// The grey 2-D picture, its readout, and "Display 2D Image" without a window.
#include "app/SessionState.h"
#include "view/GreyImage.h"
#include "GridArt.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <tuple>

TEST(GreyImage, NullDataBelowAReplacedMinimumWrapsToGrey93)
{
    // Minimum -32767 (null) is replaced by 0; maximum 1000: slope 0.2549999952 rounds 1000 down to 254.
    SessionState s;
    s.solutionGrid = gridOf<RealGrid>({{1000.0, 500.0, 0.0, -32767.0}});
    RecordingReporter rep;
    const GreyImage image = displaySolution(s, rep);
    EXPECT_EQ(cellsAt(image.picture, {{0, 0}, {0, 1}, {0, 2}, {0, 3}}), (std::vector<std::uint8_t>{254, 127, 0, 93}));
    EXPECT_EQ(std::pair(s.displaySlope, s.displayIntercept), std::pair(image.displaySlope, image.displayIntercept));
    EXPECT_EQ(rep.lines, (std::vector<std::string>{"numberElevationRows is:  1", "numberElevationColumns is:  4",
                                                   "minimum elevation is:  0", "maximum elevation is:  1000"}));
}

TEST(GreyImage, TileIsShownNorthUp)
{
    IntGrid tile(2, 2, 100);
    tile(0, 0) = 255;          // north-west
    tile(1, 1) = -32767;       // a void: the minimum becomes 0, slope 1
    NullReporter rep;
    const GreyImage image = tileGreyImage(tile, rep);
    // -32767 wraps to its low byte.
    EXPECT_EQ(cellsAt(image.picture, {{0, 0}, {0, 1}, {1, 1}}), (std::vector<std::uint8_t>{255, 100, 1}));
}

TEST(GreyImage, ReadoutInvertsTheGreyLevel)
{
    // Minimum 100, maximum 355: slope 1, intercept -100.
    NullReporter rep;
    const GreyImage image = buildGreyImage(IntGrid(1, 1, 100), 355, 100, rep);
    EXPECT_EQ(readoutElevation(greyColour(0), image.displaySlope, image.displayIntercept), "100.00");
    // The colour / 65535 reading: every level below 255 reads back as itself, 255 as 256.
    for (int g = 0; g < 255; ++g) EXPECT_EQ(readoutLevel(greyColour(std::uint8_t(g))), g);
    EXPECT_EQ(readoutLevel(greyColour(255)), 256);
    const GreyImage thousand = buildGreyImage(IntGrid(1, 1, 0), 1000, 0, rep);
    EXPECT_EQ(readoutElevation(greyColour(127), thousand.displaySlope, thousand.displayIntercept), "498.04");
}
