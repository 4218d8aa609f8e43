// The SRTM repair path on a 3601 x 3601 tile with 20 % voids: Open of the
// height file into the graphics window's model (name rule, read, load tile with
// its picture; into a new window and into one holding a tile already), "Fix Sea
// Level Elevations", the write-back after Run and the batch's store-only
// write-back.
#include "app/core/Reporter.h"
#include "app/core/GridHandover.h"
#include "formats/SrtmHgt.h"
#include "graphics/GraphicsLoaders.h"
#include "graphics/GraphicsModel.h"
#include "graphics/NullDataRepair.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

constexpr int kTile = 3601;

/// A sloping surface with 20 % of its postings void (-32768).
IntGrid voidedTerrain()
{
    IntGrid g(kTile, kTile);
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> u(0, 1);
    for (int r = 0; r < kTile; ++r)
        for (int c = 0; c < kTile; ++c) g(r, c) = u(gen) < 0.2 ? -32768 : (r * 3 + c * 2) % 1800 - 20;
    return g;
}

const std::string& tileFile()
{
    static const std::string path = [] {
        const auto dir = std::filesystem::temp_directory_path() / "gridmend-bench-srtm";
        std::filesystem::create_directories(dir);
        const std::string p = (dir / "N48W125.hgt").string();
        const auto bytes = encodeSrtmTile(voidedTerrain());
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return p;
    }();
    return path;
}

RealGrid solutionFor(int n)
{
    return RealGrid(n, n, 123.4);
}

void BM_OpenSrtmTile3601(benchmark::State& state)
{
    NullReporter quiet;
    const std::string& path = tileFile();
    for (auto _ : state) {
        GraphicsModel g;
        benchmark::DoNotOptimize(openSrtmTile(path, g, quiet));
    }
}

/// An Open into a window that already holds a tile of the same size (its arrays are reused).
void BM_OpenSrtmTile3601Again(benchmark::State& state)
{
    NullReporter quiet;
    const std::string& path = tileFile();
    GraphicsModel g;
    openSrtmTile(path, g, quiet);
    for (auto _ : state) benchmark::DoNotOptimize(openSrtmTile(path, g, quiet));
}

void BM_FixSeaLevel3601(benchmark::State& state)
{
    GraphicsModel g;
    g.loadTile(voidedTerrain());
    for (auto _ : state) fixSeaLevelElevations(g);
}

/// A write-back of a whole-tile solution into a freshly loaded tile (the load is not timed).
void writeBackBenchmark(benchmark::State& state, void (GraphicsModel::*load)(const IntGrid&),
                        void (GraphicsModel::*writeBack)(GridHandover&, Reporter&))
{
    NullReporter quiet;
    const IntGrid tile = voidedTerrain();
    const RealGrid solution = solutionFor(kTile);
    GraphicsModel g;
    GridHandover s;
    for (auto _ : state) {
        state.PauseTiming();
        (g.*load)(tile);
        s.solutionGrid = solution;
        state.ResumeTiming();
        (g.*writeBack)(s, quiet);
    }
}

void BM_WriteBackAfterRun3601(benchmark::State& state)
{
    writeBackBenchmark(state, &GraphicsModel::loadTile, &GraphicsModel::writeBackAfterRun);
}

void BM_StoreOnlyWriteBack3601(benchmark::State& state)
{
    writeBackBenchmark(state, &GraphicsModel::storeTile, &GraphicsModel::storeOnlyWriteBack);
}

} // namespace

BENCHMARK(BM_OpenSrtmTile3601)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSrtmTile3601Again)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FixSeaLevel3601)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBackAfterRun3601)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreOnlyWriteBack3601)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
