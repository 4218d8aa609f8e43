// The coarse-tile repair on a 1201 x 1201 tile with 20% voids: the coupled road
// (Expand DTED0 DEM, Insert, Input Data, Run with the relaxation alone, 200
// sweeps, and the write-back) step by step and as a whole. The whole process
// with file reading and writing is bench/patch_quality.py (gridmend-cli patch).
#include "app/core/Reporter.h"
#include "app/RunCommand.h"
#include "app/SessionState.h"
#include "graphics/CoarsePatch.h"
#include "graphics/GraphicsModel.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

struct Scene {
    IntGrid tile{1201, 1201};
    IntGrid dted0{121, 121};
    Scene()
    {
        IntGrid truth(1201, 1201);
        for (int r = 0; r < 1201; ++r)
            for (int c = 0; c < 1201; ++c)
                truth(r, c) = std::int32_t(400 + 250 * std::sin(r / 97.0) * std::cos(c / 131.0) +
                                           120 * std::sin((r + c) / 57.0));
        for (int i = 0; i < 121; ++i)
            for (int j = 0; j < 121; ++j) dted0(i, j) = truth(10 * i, 10 * j);
        tile = truth;
        std::mt19937 rnd(8);
        long voids = 0;
        while (voids < 1201L * 1201 / 5) {   // rectangles until 20% of the postings are voids
            const int h = 15 + int(rnd() % 76), w = 15 + int(rnd() % 76);
            const int top = int(rnd() % (1201 - h)), left = int(rnd() % (1201 - w));
            for (int r = top; r < top + h; ++r)
                for (int c = left; c < left + w; ++c)
                    if (tile(r, c) != -32768) tile(r, c) = -32768, ++voids;
        }
    }
};

const Scene& scene()
{
    static const Scene s;
    return s;
}

/// The model after "&Open" of the tile and "Open DTED0 Merge DEM".
void openTileAndSource(GraphicsModel& g)
{
    g.storeTile(scene().tile);
    g.dted0Grid = scene().dted0;
}

void relaxation200(SessionState& s)
{
    s.lsqrIterations = 0;
    s.laplacianIterations = 200;
    s.polishIterations = 0;
    s.scaleFactor = 1.0;
}

void BM_ExpandDted0(benchmark::State& state)
{
    NullReporter quiet;
    for (auto _ : state) {
        state.PauseTiming();
        GraphicsModel g;
        SessionState s;
        openTileAndSource(g);
        state.ResumeTiming();
        benchmark::DoNotOptimize(expandDted0(g, s, quiet));
    }
}

void BM_InsertExpanded(benchmark::State& state)
{
    NullReporter quiet;
    for (auto _ : state) {
        state.PauseTiming();
        GraphicsModel g;
        SessionState s;
        openTileAndSource(g);
        expandDted0(g, s, quiet);
        state.ResumeTiming();
        benchmark::DoNotOptimize(insertExpanded(g, s, quiet));
    }
}

void BM_CoupledRoadWhole(benchmark::State& state)
{
    NullReporter quiet;
    for (auto _ : state) {
        state.PauseTiming();
        GraphicsModel g;
        SessionState s;
        openTileAndSource(g);
        relaxation200(s);
        state.ResumeTiming();
        expandDted0(g, s, quiet);
        insertExpanded(g, s, quiet);
        g.handOverInputData(s);   // "Input Data"
        benchmark::DoNotOptimize(runGridmend(s, g, quiet));   // Run and its write-back
    }
}

} // namespace

BENCHMARK(BM_ExpandDted0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertExpanded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoupledRoadWhole)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
