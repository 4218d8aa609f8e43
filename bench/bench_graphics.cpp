// The graphics window's model on a 3601 x 3601 tile: loading an elevation array and an
// index file (with rendering), render, Zoom In / Zoom Out, Undo and Copy Bitmap; and the
// text-grid reader's throughput.
#include "app/core/Reporter.h"
#include "formats/ElevationArray.h"
#include "formats/TextGrid.h"
#include "graphics/GraphicsLoaders.h"
#include "graphics/GraphicsModel.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

constexpr int kTile = 3601;

IntGrid terrain(int n)
{
    IntGrid g(n, n);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) g(r, c) = (r * 7 + c * 13) % 2500 - 100;
    return g;
}

std::string tempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

const std::string& elevationFile()
{
    static const std::string path = [] {
        const std::string p = tempPath("bench_graphics_tile.elv");
        NullReporter r;
        writeElevationArray(p, terrain(kTile), kElevationGridKind, r);
        return p;
    }();
    return path;
}

const std::string& indexFile()
{
    static const std::string path = [] {
        const std::string p = tempPath("bench_graphics_tile.ind");
        std::ofstream out(p);
        std::mt19937 gen(3);
        std::uniform_int_distribution<int> cell(0, kTile - 1), z(1, 2000);
        for (int i = 0; i < 200000; ++i) out << cell(gen) << ' ' << cell(gen) << ' ' << z(gen) << '\n';
        out << "0 0 5\n" << kTile - 1 << ' ' << kTile - 1 << " 6\n";
        return p;
    }();
    return path;
}

GraphicsModel& loadedTile()
{
    static GraphicsModel g = [] {
        GraphicsModel m;
        m.loadTile(terrain(kTile));
        return m;
    }();
    return g;
}

void BM_LoadElevationArray(benchmark::State& state)
{
    const std::string& path = elevationFile();
    NullReporter r;
    for (auto _ : state) {
        GraphicsModel g;
        benchmark::DoNotOptimize(loadElevationArray(path, g, r));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(std::filesystem::file_size(path)));
}

void BM_LoadIndexFile(benchmark::State& state)
{
    const std::string& path = indexFile();
    NullReporter r;
    for (auto _ : state) {
        GraphicsModel g;
        benchmark::DoNotOptimize(loadIndexFile(path, g, r));
    }
}

void BM_Render(benchmark::State& state)
{
    GraphicsModel& g = loadedTile();
    for (auto _ : state) g.renderArrays();
}

void BM_ZoomIn(benchmark::State& state)
{
    GraphicsModel& g = loadedTile();
    for (auto _ : state) {
        g.zoomIn();
        state.PauseTiming();
        g.zoomOut();
        state.ResumeTiming();
    }
}

void BM_ZoomOut(benchmark::State& state)
{
    GraphicsModel& g = loadedTile();
    for (auto _ : state) {
        state.PauseTiming();
        g.zoomIn();
        state.ResumeTiming();
        g.zoomOut();
    }
}

void BM_Undo(benchmark::State& state)
{
    GraphicsModel& g = loadedTile();
    g.saveUndo();
    for (auto _ : state) g.undo();
}

void BM_CopyBitmap(benchmark::State& state)
{
    GraphicsModel& g = loadedTile();
    for (auto _ : state) g.copyBitmap();
}

void BM_ReadTextGrid(benchmark::State& state)
{
    const int n = 2000;
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> z(0, 3000);
    std::string text;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.3f ", c % 7 == 0 ? 0.0 : z(gen));
            text += buf;
        }
        text += '\n';
    }
    for (auto _ : state) benchmark::DoNotOptimize(parseTextGrid(text, n, n));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}

} // namespace

BENCHMARK(BM_LoadElevationArray)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadIndexFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomIn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomOut)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Undo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyBitmap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTextGrid)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
