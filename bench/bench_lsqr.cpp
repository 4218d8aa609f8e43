// The LSQR interpolation on the everyday 1201 x 1201 grid with 30% known postings:
// time per LSQR iteration (the fused stencil products against the plain product over
// the stored entries, the baseline), the products alone, and building the system.
#include "app/core/Reporter.h"
#include "engine/LaplacianSystem.h"
#include "engine/Lsqr.h"

#include "BenchGrids.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <random>

namespace {

struct Problem {
    RealGrid grid;
    SparseRowSystem system;
    std::vector<double> b;
    explicit Problem(int n) : grid(randomGrid(n, 0.3)), system(grid), b(system.rightHandSide(grid, 1.0)) {}
};

Problem& everyday()
{
    static Problem p(1201);
    return p;
}

/// Seconds for one lsqr() call with the given iteration limit.
double timeLsqr(Problem& p, int iterations, bool fused, bool standardErrors)
{
    NullReporter quiet;
    LsqrMemory mem(p.system.equationCount(), p.system.unknownCount());
    mem.function->mat_vec_prod = sparseRowProduct;
    mem.function->fused = fused ? &p.system : nullptr;
    std::copy(p.b.begin(), p.b.end(), mem.input->b->elements);
    mem.input->rows = p.system.equationCount();
    mem.input->columns = p.system.unknownCount();
    mem.input->ATOL = mem.input->BTOL = 1e-10;
    mem.input->CONDLIM = 10000.0;
    mem.input->ITERLIM = iterations;
    mem.input->standardErrors = standardErrors;
    const auto start = std::chrono::steady_clock::now();
    lsqr(mem.input, mem.output, mem.work, mem.function, &p.system, quiet);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

/// One LSQR iteration (the reported time): (time of 21 iterations - time of 1) / 20.
void lsqrIteration(benchmark::State& state, bool fused, bool standardErrors)
{
    Problem& p = everyday();
    for (auto _ : state)
        state.SetIterationTime(
            (timeLsqr(p, 21, fused, standardErrors) - timeLsqr(p, 1, fused, standardErrors)) / 20.0);
}

/// As the interpolation runs it (no standard errors), and with them as the routine's default.
void BM_LsqrIteration(benchmark::State& state) { lsqrIteration(state, true, false); }
void BM_LsqrIterationWithStandardErrors(benchmark::State& state) { lsqrIteration(state, true, true); }
void BM_LsqrIterationStoredProductBaseline(benchmark::State& state) { lsqrIteration(state, false, false); }

void BM_ForwardFused(benchmark::State& state)
{
    Problem& p = everyday();
    std::vector<double> u(p.b), v(std::size_t(p.system.unknownCount()), 0.5);
    for (auto _ : state) benchmark::DoNotOptimize(p.system.forward(-0.5, 0.9, u.data(), 1.1, v.data()));
}

void BM_AdjointFused(benchmark::State& state)
{
    Problem& p = everyday();
    std::vector<double> u(p.b), v(std::size_t(p.system.unknownCount()), 0.5);
    for (auto _ : state) benchmark::DoNotOptimize(p.system.adjoint(-0.5, 0.9, v.data(), 1.1, u.data()));
}

void BM_StoredProduct(benchmark::State& state)
{
    Problem& p = everyday();
    std::vector<double> u(p.b), v(std::size_t(p.system.unknownCount()), 0.5);
    for (auto _ : state) p.system.multiply(state.range(0), v.data(), u.data());
}

void BM_SystemBuild(benchmark::State& state)
{
    const RealGrid grid = randomGrid(int(state.range(0)), 0.3);
    for (auto _ : state) {
        SparseRowSystem s(grid);
        benchmark::DoNotOptimize(s.entryTotal());
        benchmark::DoNotOptimize(s.rightHandSide(grid, 1.0).data());
    }
}

} // namespace

BENCHMARK(BM_LsqrIteration)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LsqrIterationWithStandardErrors)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LsqrIterationStoredProductBaseline)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ForwardFused)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdjointFused)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoredProduct)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SystemBuild)->Arg(1201)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
