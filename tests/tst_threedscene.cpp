// The 3-D view's plain parts: mesh, normals, light, smoothing, matrices,
// first-render set-up, resize and the control panel's checks.
#include "view/Mesh.h"
#include "view/ThreeDScene.h"
#include "view/ViewMatrix.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <algorithm>
#include <tuple>

#include <cmath>
#include <gtest/gtest.h>

namespace {

float largestGap(const std::vector<float>& a, const std::vector<float>& b)
{
    float d = a.size() == b.size() ? 0.0f : 1e9f;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) d = std::max(d, std::abs(a[i] - b[i]));
    return d;
}

} // namespace

TEST(Mesh, QuadrilateralsInOrderWithOneNormalEachAndTheLight)
{
    RealGrid z(2, 3);
    std::ranges::copy(std::vector{1.0, 3.0, 4.0, 3.0, 5.0, 9.0}, z.data());
    std::vector<float> v, n;
    ASSERT_EQ(meshRow(z, 0, v, n), 2);
    EXPECT_EQ(v, (std::vector<float>{0, 0, 1, 1, 0, 3, 1, 1, 5, 0, 1, 3,  //
                                     0, 1, 3, 1, 1, 5, 1, 2, 9, 0, 2, 4}));
    const float a = -2.0f / 3.0f, b = 1.0f / 3.0f;   // (-(3-1), -(3-1), 1) / 3 for the first quadrilateral
    EXPECT_LT(largestGap(std::vector(n.begin(), n.begin() + 12), {a, a, b, a, a, b, a, a, b, a, a, b}), 1e-6f);

    const Vec3 up = lightDirection(90.0f, 123.0f), l = lightDirection(45.0f, 45.0f);
    EXPECT_LT(largestGap({up[0], up[1], up[2], l[0], l[1], l[2]}, {0, 0, 1, 0.5f, 0.5f, std::sqrt(0.5f)}), 1e-6f);
}

TEST(Mesh, SmoothingUsesTheValuesAlreadyReplaced)
{
    RealGrid z(3, 4, 0.0);
    z(0, 1) = 4; z(1, 0) = 8; z(1, 3) = 16; z(2, 2) = 12;
    smoothGrid(z, 1);
    // (1, 1): (4 + 0 + 8 + 0) / 4 = 3; (1, 2): its west neighbour already replaced; borders stay.
    EXPECT_EQ(cellsAt(z, {{1, 1}, {1, 2}, {0, 1}, {1, 3}}), (std::vector{3.0, 0.25 * (0 + 12 + 3 + 16), 4.0, 16.0}));
}

TEST(ViewMatrix, MatchesTheFixedFunctionOperations)
{
    ViewMatrix m;
    m.translate(1, 2, 3);
    m.rotate(90, 0, 0, 2);   // the axis is normalised
    m.scale(2, 2, 2);
    // The point (1, 0, 0): scaled to (2, 0, 0), turned to (0, 2, 0), moved to (1, 4, 3).
    EXPECT_LT(largestGap({m.at(0, 0) + m.at(0, 3), m.at(1, 0) + m.at(1, 3), m.at(2, 0) + m.at(2, 3)}, {1, 4, 3}),
              1e-6f);
    ViewMatrix o;
    o.ortho(-10, 10, -10, 10, -10, 10);
    EXPECT_LT(largestGap({o.at(0, 0), o.at(2, 2)}, {0.1f, -0.1f}), 1e-7f);
}

TEST(ThreeDScene, FirstRenderSetsUpProjectionRangeAndBaseTranslation)
{
    ThreeDState s;
    RealGrid z(3, 5, 10.0);
    z(1, 1) = 40.0;
    RecordingReporter rep;
    ASSERT_TRUE(prepareRender(s, &z, rep));
    EXPECT_EQ(std::tuple(s.projection.at(0, 0), s.modelView.at(0, 3), s.modelView.at(1, 3)),
              std::tuple(1.0f / 8.0f, -3.0f, -5.0f));
}

TEST(ThreeDScene, RequestedSmoothingRunsOnceOnADisplayCopy)
{
    ThreeDState s;
    RealGrid solution(4, 4, 0.0);
    solution(1, 1) = 16.0;
    const RealGrid original = solution;
    RealGrid once = solution;
    smoothGrid(once, 3);
    DisplayGrid display;
    s.smoothPending = true;
    NullReporter rep;
    RealGrid* shown = display.select(&solution, s.smoothPending);
    prepareRender(s, shown, rep);
    EXPECT_FALSE(s.smoothPending);
    EXPECT_EQ(*shown, once);
    EXPECT_EQ(solution, original);   // the solution itself is never smoothed
    shown = display.select(&solution, s.smoothPending);
    prepareRender(s, shown, rep);
    EXPECT_EQ(*shown, once);   // smoothed once, kept while the solution is unchanged
    solution(2, 2) = 5.0;      // a new Run: drawn as it is
    EXPECT_EQ(display.select(&solution, false), &solution);
}

TEST(ThreeDScene, RenderImageEntryChecks)
{
    struct Case { const char *az, *bearing, *scale; PanelEntryFailure failure; };
    const Case cases[] = {
        {"360", "45", "1.0", PanelEntryFailure::None},
        {"-1", "45", "1.0", PanelEntryFailure::AzimuthRange},
        {"45", "", "1.0", PanelEntryFailure::EmptyAngles},
        {"45", "45", "", PanelEntryFailure::EmptyScale},
        {"abc", "45", "1.0", PanelEntryFailure::NotANumber},
    };
    for (const Case& c : cases) {
        ThreeDState s;
        EXPECT_EQ(applyRenderEntries(s, c.az, c.bearing, c.scale, true), c.failure) << c.az << "|" << c.bearing;
        if (c.failure != PanelEntryFailure::None) { EXPECT_EQ(s.solarAzimuth, 45.0f); }
    }
    ThreeDState s;
    ASSERT_EQ(applyRenderEntries(s, "30", "60", "2.5", false), PanelEntryFailure::None);
    EXPECT_EQ(std::tuple(s.solarAzimuth, s.solarBearing, s.elevationScale, s.showAxes),
              std::tuple(30.0f, 60.0f, 2.5f, false));
}
