#include "graphics/Digitiser.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>

namespace {

Digitiser clicked(std::initializer_list<ScreenPoint> points)
{
    Digitiser d;
    for (ScreenPoint p : points) EXPECT_TRUE(d.click(p));
    return d;
}

int count(const IntGrid& g, std::int32_t v)
{
    int n = 0;
    for (std::int32_t x : g.cells()) n += x == v;
    return n;
}

} // namespace

TEST(Digitiser, ClosesOntoAnEarlierPointNearTheLast)
{
    Digitiser d = clicked({{10, 10}, {50, 10}, {50, 50}, {12, 14}});
    EXPECT_TRUE(d.close());   // distance 4.47, truncated 4 < 15
    ASSERT_EQ(d.points().size(), 5u);
    EXPECT_EQ(d.points().back(), (ScreenPoint{10, 10}));
    EXPECT_TRUE(d.closed());
}

TEST(Digitiser, StaysOpenFifteenPixelsOrMoreAway)
{
    Digitiser d = clicked({{10, 10}, {50, 10}, {50, 50}, {10, 25}});   // exactly 15 from (10, 10)
    EXPECT_FALSE(d.close());
    EXPECT_EQ(d.points().size(), 4u);
    // The second-last point is never a closing candidate.
    Digitiser e = clicked({{10, 10}, {12, 11}});
    EXPECT_FALSE(e.close());
}

TEST(Digitiser, DrawsFourSegmentsIntoThePictureAndCopiesIt)
{
    Digitiser d = clicked({{10, 10}, {50, 10}, {50, 50}, {12, 14}});
    IntGrid image(60, 60, 0xFFFFFF), elevation(60, 60, 0xFFFFFF);
    drawDigitisedPolyline(d, elevation, image, 1, 0, false);
    EXPECT_EQ(image(10, 30), 0);   // first segment
    EXPECT_EQ(image(30, 50), 0);   // second
    EXPECT_EQ(image(12, 11), 0);   // the closing segment from (12, 14) to (10, 10)
    EXPECT_EQ(image(11, 10), 0);
    EXPECT_EQ(elevation, image);
    EXPECT_TRUE(d.points().empty());
    EXPECT_FALSE(d.closed());
}

TEST(Digitiser, DrawsIntoTheLineCodeWhenElevationHoldsOne)
{
    Digitiser d = clicked({{4, 4}, {4, 16}});
    IntGrid image(10, 10, 0x00FF00), elevation(10, 10, 255);
    elevation(0, 0) = 700;   // an earlier tag
    drawDigitisedPolyline(d, elevation, image, 2, 0, true);   // zoom 2: cells (2, 2) to (8, 2)
    for (int r = 2; r <= 8; ++r) EXPECT_EQ(elevation(r, 2), 0);
    EXPECT_EQ(count(elevation, 0), 7);
    EXPECT_EQ(count(image, 0), 7);   // black where elevation < 1
    EXPECT_EQ(image(0, 0), 0xFFFFFF);
    EXPECT_EQ(image(3, 3), 0xFFFFFF);
}

TEST(Digitiser, ElevationPenDrawsTheElevationItself)
{
    RecordingReporter log;
    const std::int32_t pen = elevationPenColour(1000, log);
    EXPECT_EQ(pen, 0xE80300);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"1000", "penColor is:  15205120"}));
    EXPECT_EQ(swapRedBlue(pen), 1000);   // what a painted pixel reads back as

    Digitiser d = clicked({{1, 1}, {3, 1}});
    IntGrid image(4, 4, 255), elevation(4, 4, 255);
    drawDigitisedPolyline(d, elevation, image, 1, pen, true);
    EXPECT_EQ(elevation(1, 2), 1000);
}

TEST(Digitiser, HoldsAHundredClickedPointsPlusTheClosingPoint)
{
    Digitiser d;
    for (int i = 0; i < 100; ++i) EXPECT_TRUE(d.click({i, 0}));
    EXPECT_FALSE(d.click({5, 5}));
    EXPECT_EQ(d.points().size(), 100u);
    EXPECT_TRUE(d.close());   // (85, 0), 14 away, is the first point closer than 15
    EXPECT_EQ(d.points().size(), 101u);
    EXPECT_EQ(d.points().back(), (ScreenPoint{85, 0}));
}

TEST(Digitiser, MarkerCrossHasThirtyTwoPixelsAroundTheClick)
{
    const auto cross = markerCrossPixels({20, 30});
    EXPECT_EQ(cross[0], (ScreenPoint{21, 30}));
    EXPECT_EQ(cross[7], (ScreenPoint{28, 30}));
    EXPECT_EQ(cross[8], (ScreenPoint{19, 30}));
    EXPECT_EQ(cross[16], (ScreenPoint{20, 31}));
    EXPECT_EQ(cross[31], (ScreenPoint{20, 22}));
    for (ScreenPoint p : cross) EXPECT_NE(p, (ScreenPoint{20, 30}));
}
