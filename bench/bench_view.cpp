// The 3-D view of a 1201 x 1201 solution (1,440,000 quadrilaterals) rendered
// offscreen in software OpenGL, and "Display 2D Image" of a 3601 x 3601 solution.
// The 3-D benchmark needs an X server (run under xvfb-run).
#include "app/core/Reporter.h"
#include "app/SessionState.h"
#include "view/GreyImage.h"
#include "view/OffscreenRender.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

RealGrid terrain(int n)
{
    RealGrid g(n, n);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) g(r, c) = 500.0 + 300.0 * std::sin(r * 0.01) * std::cos(c * 0.013) + (r % 7);
    return g;
}

void BM_Render3d1201(benchmark::State& state)
{
    RealGrid grid = terrain(1201);
    OffscreenView view(420, 420);
    if (!view.valid()) {
        state.SkipWithError(view.error());
        return;
    }
    NullReporter rep;
    view.render(&grid, rep);
    rotateView(view.state(), Axis::X, -50.0f);
    for (auto _ : state) benchmark::DoNotOptimize(view.render(&grid, rep));
}
BENCHMARK(BM_Render3d1201)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Display2d3601(benchmark::State& state)
{
    SessionState session;
    session.solutionGrid = terrain(3601);
    NullReporter rep;
    for (auto _ : state) benchmark::DoNotOptimize(displaySolution(session, rep));
}
BENCHMARK(BM_Display2d3601)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
