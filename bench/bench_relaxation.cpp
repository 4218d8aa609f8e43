// One main sweep of the relaxation on everyday (1201 x 1201) and big (3601 x 3601)
// tiles with 30% known postings; the "every cell" sweep is the baseline.
#include "app/core/Reporter.h"
#include "engine/Relaxation.h"

#include "BenchGrids.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

/// Baseline: the thin-plate and Laplacian phases visiting every cell and testing it.
void everyCellSweep(RealGrid& A, const RealGrid& K)
{
    const int R = A.rows(), C = A.cols();
    for (int r = 2; r <= R - 3; ++r)
        for (int c = 2; c <= C - 3; ++c)
            if (K(r, c) == 0.0)
                A(r, c) = (8 * (A(r - 1, c) + A(r + 1, c) + A(r, c - 1) + A(r, c + 1)) -
                           2 * (A(r - 1, c - 1) + A(r - 1, c + 1) + A(r + 1, c - 1) + A(r + 1, c + 1)) -
                           (A(r - 2, c) + A(r + 2, c) + A(r, c - 2) + A(r, c + 2))) * 0.05;
    for (int r = 1; r <= R - 2; ++r)
        for (int c = 1; c <= C - 2; ++c)
            if (K(r, c) == 0.0) A(r, c) = 0.25 * (A(r - 1, c) + A(r + 1, c) + A(r, c - 1) + A(r, c + 1));
}

void BM_RelaxationSweep(benchmark::State& state)
{
    const int n = int(state.range(0));
    const double known = double(state.range(1)) / 100.0;
    NullReporter quiet;
    CentralDifferenceSolver solver(randomGrid(n, known), 0, 0, quiet);
    solver.mainSweep();   // builds the free-cell lists
    for (auto _ : state) solver.mainSweep();
}

void BM_EveryCellSweepBaseline(benchmark::State& state)
{
    const int n = int(state.range(0));
    const RealGrid K = randomGrid(n, double(state.range(1)) / 100.0);
    RealGrid A = K;
    for (auto _ : state) everyCellSweep(A, K);
}

} // namespace

BENCHMARK(BM_RelaxationSweep)->Args({1201, 30})->Args({3601, 30})->Args({1201, 99})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EveryCellSweepBaseline)->Args({1201, 30})->Args({3601, 30})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
