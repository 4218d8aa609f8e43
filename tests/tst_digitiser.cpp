#include "graphics/Digitiser.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

namespace {

Digitiser clicked(std::initializer_list<ScreenPoint> points)
{
    Digitiser d;
    for (ScreenPoint p : points) EXPECT_TRUE(d.click(p));
    return d;
}

long count(const IntGrid& g, std::int32_t v) { return std::ranges::count(g.cells(), v); }

} // namespace

TEST(Digitiser, ClosesOntoAnEarlierPointNearerThanFifteenPixelsToTheLast)
{
    Digitiser d = clicked({{10, 10}, {50, 10}, {50, 50}, {12, 14}});
    EXPECT_TRUE(d.close());   // distance 4.47, truncated 4 < 15
    EXPECT_EQ(std::tuple(d.points().size(), d.points().back(), d.closed()),
              std::tuple(std::size_t(5), ScreenPoint{10, 10}, true));
    EXPECT_FALSE(clicked({{10, 10}, {50, 10}, {50, 50}, {10, 25}}).close());   // exactly 15 from (10, 10)
    EXPECT_FALSE(clicked({{10, 10}, {12, 11}}).close());   // the second-last point is never a candidate
}

TEST(Digitiser, DrawsFourSegmentsIntoThePictureAndCopiesIt)
{
    Digitiser d = clicked({{10, 10}, {50, 10}, {50, 50}, {12, 14}});
    IntGrid image(60, 60, 0xFFFFFF), elevation(60, 60, 0xFFFFFF);
    drawDigitisedPolyline(d, elevation, image, 1, 0, false);
    // The first and second segments, the closing segment from (12, 14) to (10, 10).
    EXPECT_EQ(cellsAt(image, {{10, 30}, {30, 50}, {12, 11}, {11, 10}}), (std::vector{0, 0, 0, 0}));
    EXPECT_EQ(elevation, image);
    EXPECT_TRUE(d.points().empty() && !d.closed());
}

TEST(Digitiser, DrawsIntoTheLineCodeWhenElevationHoldsOne)
{
    Digitiser d = clicked({{4, 4}, {4, 16}});
    IntGrid image(10, 10, 0x00FF00), elevation(10, 10, 255);
    elevation(0, 0) = 700;   // an earlier tag
    drawDigitisedPolyline(d, elevation, image, 2, 0, true);   // zoom 2: cells (2, 2) to (8, 2)
    EXPECT_EQ(cellsAt(elevation, {{2, 2}, {8, 2}}), (std::vector{0, 0}));
    EXPECT_EQ(std::pair(count(elevation, 0), count(image, 0)), std::pair(7L, 7L));   // black where elevation < 1
}

TEST(Digitiser, ElevationPenDrawsTheElevationItself)
{
    RecordingReporter log;
    const std::int32_t pen = elevationPenColour(1000, log);

    Digitiser d = clicked({{1, 1}, {3, 1}});
    IntGrid image(4, 4, 255), elevation(4, 4, 255);
    drawDigitisedPolyline(d, elevation, image, 1, pen, true);
    EXPECT_EQ(elevation(1, 2), 1000);
}
