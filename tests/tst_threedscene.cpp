// The 3-D view's plain parts: mesh, normals, light, smoothing, matrices,
// first-render set-up, resize and the control panel's checks.
#include "view/Mesh.h"
#include "view/ThreeDScene.h"
#include "view/ViewMatrix.h"
#include "RecordingReporter.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Mesh, QuadrilateralsInOrderWithOneNormalEach)
{
    RealGrid z(2, 3);
    z(0, 0) = 1; z(0, 1) = 3; z(0, 2) = 4;
    z(1, 0) = 3; z(1, 1) = 5; z(1, 2) = 9;
    std::vector<float> v, n;
    ASSERT_EQ(meshRow(z, 0, v, n), 2);
    EXPECT_EQ(v, (std::vector<float>{0, 0, 1, 1, 0, 3, 1, 1, 5, 0, 1, 3,  //
                                     0, 1, 3, 1, 1, 5, 1, 2, 9, 0, 2, 4}));
    // (-(3-1), -(3-1), 1) / 3
    const Vec3 first{-2.0f / 3.0f, -2.0f / 3.0f, 1.0f / 3.0f};
    for (int k = 0; k < 4; ++k)
        for (int c = 0; c < 3; ++c) EXPECT_FLOAT_EQ(n[std::size_t(k * 3 + c)], first[std::size_t(c)]);
    EXPECT_EQ(meshRow(z, 1, v, n), 0);   // the last row starts no quadrilateral
    EXPECT_EQ(quadCount(z), 2);
    EXPECT_EQ(quadCount(RealGrid(1, 50)), 0);
    EXPECT_EQ(quadCount(RealGrid(50, 1)), 0);
    EXPECT_EQ(quadCount(RealGrid(1201, 1201)), 1440000);
}

TEST(Mesh, LightDirection)
{
    const Vec3 up = lightDirection(90.0f, 123.0f);
    EXPECT_NEAR(up[0], 0.0f, 1e-7);
    EXPECT_NEAR(up[1], 0.0f, 1e-7);
    EXPECT_FLOAT_EQ(up[2], 1.0f);
    const Vec3 l = lightDirection(45.0f, 45.0f);
    EXPECT_FLOAT_EQ(l[0], 0.5f);
    EXPECT_FLOAT_EQ(l[1], 0.5f);
    EXPECT_FLOAT_EQ(l[2], std::sqrt(0.5f));
}

TEST(Mesh, SmoothingUsesTheValuesAlreadyReplaced)
{
    RealGrid z(3, 4, 0.0);
    z(0, 1) = 4; z(1, 0) = 8; z(1, 3) = 16; z(2, 2) = 12;
    smoothGrid(z, 1);
    EXPECT_DOUBLE_EQ(z(1, 1), 0.25 * (4 + 0 + 8 + 0));       // 3
    EXPECT_DOUBLE_EQ(z(1, 2), 0.25 * (0 + 12 + 3 + 16));     // west already replaced
    EXPECT_EQ(z(0, 1), 4);                                    // borders stay
    EXPECT_EQ(z(1, 3), 16);
}

TEST(ViewMatrix, MatchesTheFixedFunctionOperations)
{
    ViewMatrix m;
    m.translate(1, 2, 3);
    m.rotate(90, 0, 0, 2);   // the axis is normalised
    m.scale(2, 2, 2);
    // The point (1, 0, 0): scaled to (2, 0, 0), turned to (0, 2, 0), moved to (1, 4, 3).
    auto apply = [&](float x, float y, float z) {
        std::array<float, 3> out{};
        for (int r = 0; r < 3; ++r) out[std::size_t(r)] = m.at(r, 0) * x + m.at(r, 1) * y + m.at(r, 2) * z + m.at(r, 3);
        return out;
    };
    const auto p = apply(1, 0, 0);
    EXPECT_NEAR(p[0], 1.0f, 1e-6);
    EXPECT_NEAR(p[1], 4.0f, 1e-6);
    EXPECT_NEAR(p[2], 3.0f, 1e-6);
    ViewMatrix o;
    o.ortho(-10, 10, -10, 10, -10, 10);
    EXPECT_FLOAT_EQ(o.at(0, 0), 0.1f);
    EXPECT_FLOAT_EQ(o.at(2, 2), -0.1f);
    ViewMatrix zero;
    zero.ortho(0, 0, 0, 0, 0, 0);   // rejected
    EXPECT_EQ(zero, ViewMatrix::identity());
}

TEST(ThreeDScene, FirstRenderSetsUpProjectionRangeAndBaseTranslation)
{
    ThreeDState s;
    RealGrid z(3, 5, 10.0);
    z(1, 1) = 40.0;
    RecordingReporter rep;
    ASSERT_TRUE(prepareRender(s, &z, rep));
    EXPECT_EQ(rep.lines, (std::vector<std::string>{"Rows is:  3", "Columns is:  5", "minimum elevation is:  10",
                                                   "maximum elevation is:  40"}));
    EXPECT_FALSE(s.firstRender);
    EXPECT_FLOAT_EQ(s.projection.at(0, 0), 1.0f / 8.0f);
    EXPECT_FLOAT_EQ(s.modelView.at(0, 3), -3.0f);
    EXPECT_FLOAT_EQ(s.modelView.at(1, 3), -5.0f);
    // Later renders of the same size change nothing.
    rotateView(s, Axis::X, 10.0f);
    const ViewMatrix turned = s.modelView;
    rep.lines.clear();
    ASSERT_TRUE(prepareRender(s, &z, rep));
    EXPECT_TRUE(rep.lines.empty());
    EXPECT_EQ(s.modelView, turned);
}

TEST(ThreeDScene, AGridOfAnotherSizeIsSetUpAgain)
{
    ThreeDState s;
    RealGrid small(3, 3, 1.0), large(6, 4, 2.0);
    RecordingReporter rep;
    prepareRender(s, &small, rep);
    rotateView(s, Axis::Z, 30.0f);
    rep.lines.clear();
    ASSERT_TRUE(prepareRender(s, &large, rep));
    EXPECT_EQ(s.rows, 6);
    EXPECT_EQ(s.columns, 4);
    EXPECT_TRUE(rep.has("Rows is:  6"));
    EXPECT_FLOAT_EQ(s.projection.at(0, 0), 1.0f / 10.0f);
    ViewMatrix expected;
    expected.translate(-6, -4, 0);
    EXPECT_EQ(s.modelView, expected);
    EXPECT_EQ(s.minimumElevation, 2.0);
    EXPECT_FALSE(prepareRender(s, nullptr, rep));
}

TEST(ThreeDScene, RequestedSmoothingRunsOnceOnADisplayCopy)
{
    ThreeDState s;
    RealGrid solution(4, 4, 0.0);
    solution(1, 1) = 16.0;
    const RealGrid original = solution;
    RealGrid once = solution;
    smoothGrid(once, 3);
    ASSERT_NE(once, original);
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
    EXPECT_EQ(display.select(nullptr, false), nullptr);
}

TEST(ThreeDScene, RenderImageEntryChecks)
{
    struct Case { const char *az, *bearing, *scale; PanelEntryFailure failure; };
    const Case cases[] = {
        {"360", "45", "1.0", PanelEntryFailure::None},
        {"0", "-30", "2", PanelEntryFailure::None},
        {"-1", "45", "1.0", PanelEntryFailure::AzimuthRange},
        {"360.5", "45", "1.0", PanelEntryFailure::AzimuthRange},
        {"45", "", "1.0", PanelEntryFailure::EmptyAngles},
        {"", "45", "", PanelEntryFailure::EmptyAngles},
        {"45", "45", "", PanelEntryFailure::EmptyScale},
        {"abc", "45", "1.0", PanelEntryFailure::NotANumber},
        {"400", "45", "", PanelEntryFailure::AzimuthRange},
    };
    for (const Case& c : cases) {
        ThreeDState s;
        EXPECT_EQ(applyRenderEntries(s, c.az, c.bearing, c.scale, true), c.failure) << c.az << "|" << c.bearing;
        if (c.failure != PanelEntryFailure::None) {
            EXPECT_EQ(s.solarAzimuth, 45.0f);
        }
    }
    ThreeDState s;
    ASSERT_EQ(applyRenderEntries(s, "30", "60", "2.5", false), PanelEntryFailure::None);
    EXPECT_EQ(s.solarAzimuth, 30.0f);
    EXPECT_EQ(s.solarBearing, 60.0f);
    EXPECT_EQ(s.elevationScale, 2.5f);
    EXPECT_FALSE(s.showAxes);
}
