// The scanned-map preparation on full map sheets: tagging a long contour line,
// Delete Short Segments and one Thin iteration on a 4000 x 3000 sheet, and the
// k-means classification (k = 6, one pass) of a 1000 x 1000 picture; then the
// same commands as the graphics window runs them on its model (undo copies of
// both arrays, the display rebuilt), and the timer's re-render after a tag.
#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "classify/PixelClassification.h"
#include "graphics/ContourCommands.h"
#include "graphics/GraphicsModel.h"
#include "graphics/ImageCommands.h"
#include "graphics/LineCleaning.h"
#include "graphics/LineTagger.h"
#include "graphics/Thinning.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

constexpr int kRows = 3000, kCols = 4000;

/// A serpentine line of exactly `pixels` line pixels (0) on background (255).
IntGrid serpentineLine(int pixels)
{
    IntGrid A(kRows, kCols, 255);
    int r = 100, c = 50, dir = 1, drawn = 0, run = 0;
    while (drawn < pixels) {
        A(r, c) = 0;
        ++drawn;
        if (run < 3900) {
            c += dir;
            ++run;
        } else if (run < 3910) {
            ++r;
            ++run;
        } else {
            dir = -dir;
            run = 0;
            c += dir;
        }
    }
    return A;
}

/// A binarised map sheet: long wandering contour lines, thickened by `width`, and
/// many short fragments (lettering, hatching).
IntGrid binarisedSheet(int width)
{
    std::mt19937 gen(42);
    IntGrid A(kRows, kCols, 255);
    auto thick = [&](int x0, int y0, int x1, int y1) {
        for (int w = 0; w < width; ++w) gridops::drawLine(A, x0, y0 + w, x1, y1 + w, std::int32_t(0));
    };
    std::uniform_int_distribution<int> x(0, kCols - 1), y(0, kRows - 1), step(-60, 60), len(2, 40);
    for (int line = 0; line < 150; ++line) {
        int x0 = x(gen), y0 = y(gen);
        for (int s = 0; s < 120; ++s) {
            const int x1 = std::clamp(x0 + 40, 0, kCols - 1), y1 = std::clamp(y0 + step(gen), 0, kRows - 1);
            thick(x0, y0, x1, y1);
            x0 = x1 == kCols - 1 ? 0 : x1;
            y0 = y1;
        }
    }
    for (int fragment = 0; fragment < 30000; ++fragment) {
        const int x0 = x(gen), y0 = y(gen);
        thick(x0, y0, std::min(kCols - 1, x0 + len(gen)), std::min(kRows - 1, y0 + len(gen) / 3));
    }
    return A;
}

void BM_TagContourLine(benchmark::State& state)
{
    IntGrid A = serpentineLine(100000);
    NullReporter quiet;
    std::int32_t elevation = 100;
    for (auto _ : state) benchmark::DoNotOptimize(lineTagger(elevation += 20, 100, 50, A, quiet));
}

void BM_DeleteShortSegments(benchmark::State& state)
{
    const IntGrid sheet = binarisedSheet(1);
    NullReporter quiet;
    for (auto _ : state) {
        state.PauseTiming();
        IntGrid A = sheet;
        state.ResumeTiming();
        benchmark::DoNotOptimize(deleteShortSegments(A, 100, quiet));
    }
}

void BM_ThinIteration(benchmark::State& state)
{
    const IntGrid sheet = binarisedSheet(4);
    Grid<std::uint32_t> picture(kRows, kCols);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) picture(r, c) = sheet(r, c) == 255 ? 0xFFFFFFu : 0u;
    for (auto _ : state) {
        state.PauseTiming();
        Grid<std::uint32_t> p = picture;
        state.ResumeTiming();
        benchmark::DoNotOptimize(thinIteration(p));
    }
}

void BM_ClassifySixClustersOnePass(benchmark::State& state)
{
    // Six inks with scanner noise.
    const std::int32_t inks[6] = {0xF4EEDC, 0x8A5A2B, 0x2060C0, 0x30A040, 0x101010, 0xE0C050};
    std::mt19937 gen(8);
    std::uniform_int_distribution<int> ink(0, 5), noise(-12, 12);
    IntGrid picture(1000, 1000);
    for (std::int32_t& v : picture.cells()) {
        const std::int32_t base = inks[ink(gen)];
        int rgb[3] = {(base >> 16) & 255, (base >> 8) & 255, base & 255};
        for (int& ch : rgb) ch = std::clamp(ch + noise(gen), 0, 255);
        v = rgb[0] << 16 | rgb[1] << 8 | rgb[2];
    }
    NullReporter quiet;
    for (auto _ : state) {
        IntGrid p = picture;
        benchmark::DoNotOptimize(classifyPixels(p, {6, 1, 'a', 'e'}, [] { return 12345u; }, quiet).ifound);
    }
}

/// The window's tagging click on the line: undo copies, flood, the tag.
void BM_TagClickInTheWindow(benchmark::State& state)
{
    GraphicsModel g;
    g.loadContourElevationArray(serpentineLine(100000));
    g.tagging = {100, 20, true, 100};
    NullReporter quiet;
    for (auto _ : state) benchmark::DoNotOptimize(contourcmd::tagAt(g, 50, 100, MouseButton::Left, quiet).tagged);
}

/// The overlay timer's tick after a tag: the 4000 x 3000 display rebuilt in elevation colours.
void BM_RenderAfterTag(benchmark::State& state)
{
    GraphicsModel g;
    g.loadContourElevationArray(serpentineLine(100000));
    for (auto _ : state) {
        g.renderArrays();
        benchmark::DoNotOptimize(g.display.data());
    }
}

void BM_DeleteShortSegmentsInTheWindow(benchmark::State& state)
{
    const IntGrid sheet = binarisedSheet(1);
    GraphicsModel g;
    NullReporter quiet;
    g.tools.pixelLimit = 100;
    for (auto _ : state) {
        state.PauseTiming();
        g.loadContourElevationArray(sheet);
        g.elevationMode = false;
        state.ResumeTiming();
        benchmark::DoNotOptimize(contourcmd::deleteShortSegments(g, quiet));
    }
}

void BM_ThinInTheWindow(benchmark::State& state)
{
    const IntGrid sheet = binarisedSheet(4);
    IntGrid picture(kRows, kCols);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) picture(r, c) = sheet(r, c) == 255 ? 0xFFFFFF : 0;
    GraphicsModel g;
    for (auto _ : state) {
        state.PauseTiming();
        g.loadPicture(picture);
        imagecmd::binarize(g, 0xFFFFFF);
        state.ResumeTiming();
        benchmark::DoNotOptimize(imagecmd::thin(g));
    }
}

} // namespace

BENCHMARK(BM_TagClickInTheWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderAfterTag)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteShortSegmentsInTheWindow)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ThinInTheWindow)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TagContourLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteShortSegments)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ThinIteration)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ClassifySixClustersOnePass)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK_MAIN();
