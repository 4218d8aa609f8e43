// The 3-D view drawn offscreen: the drawing code of the window on an offscreen
// context (needs an X server, as every widget test).
#include "view/OffscreenRender.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <QColor>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

RealGrid hill(int rows, int cols)
{
    return gridBy(rows, cols, [](int r, int c) { return 100.0 + 40.0 * std::sin(r * 0.3) * std::cos(c * 0.25) + r; });
}

struct Counts { int red = 0, green = 0, blue = 0, surface = 0; };

Counts count(const QImage& image)
{
    Counts n;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int r = c.red(), g = c.green(), b = c.blue();
            if (r > 40 && g < 10 && b < 10) ++n.red;
            if (g > 40 && r < 10 && b < 10) ++n.green;
            if (b > 40 && r < 10 && g < 10) ++n.blue;
            if (r > g && g > b && b > 0) ++n.surface;   // the brown surface material
        }
    return n;
}

} // namespace

TEST(Render3d, VertexArraysGiveTheSamePictureAsOneBeginEndPerQuad)
{
    RealGrid grid = hill(24, 30);
    QImage pictures[2];
    const MeshSubmission ways[2] = {MeshSubmission::VertexArrays, MeshSubmission::Immediate};
    for (int i = 0; i < 2; ++i) {
        OffscreenView view(160, 120);
        ASSERT_TRUE(view.valid()) << view.error();
        NullReporter rep;
        view.render(&grid, rep, ways[i]);   // first render: set-up
        rotateView(view.state(), Axis::X, -50.0f);
        rotateView(view.state(), Axis::Z, 20.0f);
        view.state().elevationScale = 2.0f;
        pictures[i] = view.render(&grid, rep, ways[i]);
    }
    EXPECT_GT(count(pictures[0]).surface, 500);
    EXPECT_EQ(pictures[0], pictures[1]);
}

TEST(Render3d, AFrameShowsTheSurfaceAndTheAxesColours)
{
    RealGrid grid = hill(40, 40);
    OffscreenView view(420, 420);
    ASSERT_TRUE(view.valid()) << view.error();
    RecordingReporter rep;
    view.render(&grid, rep);
    rotateView(view.state(), Axis::X, -60.0f);
    rotateView(view.state(), Axis::Z, 30.0f);
    const QImage picture = view.render(&grid, rep);
    const Counts n = count(picture);
    EXPECT_GT(n.surface, 2000);
    EXPECT_GT(std::min({n.red, n.green, n.blue}), 20);
}
