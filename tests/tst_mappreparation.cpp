// A drawn contour map through the whole preparation: colour filter, binarise,
// thin until nothing changes, despeckle, connect lines, delete short segments,
// and tagging each contour by a click.
#include "app/core/GridOps.h"
#include "graphics/ColourFilters.h"
#include "graphics/LineCleaning.h"
#include "graphics/LineTagger.h"
#include "graphics/PatternFilters.h"
#include "graphics/Thinning.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>
#include <cmath>

namespace {

constexpr std::int32_t kBrown = 0x8B4513, kBlue = 0x0000FF, kGrey = 0x808080, kWhite = 0xFFFFFF;
constexpr int kRows = 200, kCols = 300, kContours = 4;

int contourRow(int k, int x) { return 30 + 40 * k + int(std::lround(8 * std::sin(x / 25.0))); }

/// Brown contours three pixels wide, broken for a label and crossed by a grey grid,
/// blue lettering, brown specks and short brown scraps.
IntGrid drawnMap()
{
    IntGrid map(kRows, kCols, kWhite);
    for (int k = 0; k < kContours; ++k)
        for (int x = 5; x < kCols - 6; ++x) {
            if (x >= 150 && x < 153) continue;   // the label's gap
            for (int w = 0; w < 3; ++w) gridops::drawLine(map, x, contourRow(k, x) + w, x + 1, contourRow(k, x + 1) + w, kBrown);
        }
    for (int k = 0; k < kContours; ++k)
        for (int r = contourRow(k, 150) - 12; r < contourRow(k, 150) - 7; ++r)
            for (int c = 140; c < 162; c += 2) map(r, c) = kBlue;
    for (int x = 50; x < kCols; x += 50)
        for (int r = 0; r < kRows; ++r) map(r, x) = kGrey;
    for (int k = 0; k < kContours; ++k) {
        map(contourRow(k, 80) + 18, 80) = kBrown;
        gridops::drawLine(map, 200, contourRow(k, 200) + 18, 210, contourRow(k, 200) + 18, kBrown);
    }
    return map;
}

Grid<std::uint32_t> greyPicture(const IntGrid& elevation)
{
    Grid<std::uint32_t> p(elevation.rows(), elevation.cols());
    for (int r = 0; r < p.rows(); ++r)
        for (int c = 0; c < p.cols(); ++c) p(r, c) = std::uint32_t(elevation(r, c)) * 0x010101u;
    return p;
}

/// The line row nearest to the drawn centre of contour k at column x.
int lineRowNear(const IntGrid& A, int k, int x)
{
    const int centre = contourRow(k, x) + 1;
    for (int d = 0; d <= 3; ++d)
        for (int r : {centre - d, centre + d})
            if (A(r, x) != 255) return r;
    return -1;
}

} // namespace

TEST(MapPreparation, DrawnMapToTaggedContours)
{
    RecordingReporter log;
    IntGrid image = drawnMap(), elevation = image;

    std::array<std::int32_t, 16> keep;
    keep.fill(kBrown);
    valueFilter(image, keep, kWhite, false);
    binarise(image, elevation, kWhite);

    Grid<std::uint32_t> picture = greyPicture(elevation);
    int iterations = 0;
    while (thinIteration(picture)) ASSERT_LT(++iterations, 10);
    EXPECT_GE(iterations, 1);
    readBackThinned(picture, image, elevation);
    despeckle8(elevation);
    connectLines(elevation, 9, SearchOrder::ClosestFirst, log);
    deleteShortSegments(elevation, 50, log);

    TaggingState state;
    ASSERT_EQ(submitElevationPanel(state, "100", true, "20"), PanelSubmitResult::Accepted);
    for (int k = 0; k < kContours; ++k) {
        const int r = lineRowNear(elevation, k, 120);
        ASSERT_GE(r, 0) << "contour " << k;
        const TagOutcome out = tagAt(120, r, MouseButton::Left, greyPicture(elevation), 1, elevation, state, {}, log);
        ASSERT_TRUE(out.tagged);
    }

    // Every contour is whole (the label gap and the grid crossings closed) and carries its elevation;
    // nothing else is left.
    std::vector<int> columns = {50, 100, 150, 151, 152, 200, 250};
    for (int x = 10; x < kCols - 12; x += 7) columns.push_back(x);
    for (int k = 0; k < kContours; ++k)
        for (int x : columns) {
            const int r = lineRowNear(elevation, k, x);
            ASSERT_GE(r, 0) << "contour " << k << " column " << x;
            EXPECT_EQ(elevation(r, x), 100 + 20 * k) << "contour " << k << " column " << x;
        }
    for (std::int32_t v : elevation.cells()) EXPECT_TRUE(v == 255 || (v >= 100 && v <= 160 && v % 20 == 0)) << v;
}
