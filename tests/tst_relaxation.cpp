#include "engine/Relaxation.h"
#include "engine/WindowedFill.h"
#include "DenseLeastSquares.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>
#include <random>

namespace {

/// The relaxation written as plainly as it is described: every phase visits every cell
/// in order and tests whether it is free. The oracle for the fast solver.
RealGrid referenceRelaxation(const RealGrid& input, int sweeps, int refining, int lsqrIterations)
{
    RealGrid A = input;
    const RealGrid& K = input;
    const int R = A.rows(), C = A.cols();
    auto freeCell = [&](int r, int c) { return K(r, c) == 0.0; };
    auto edgeCopy = [&] {
        for (int r = 1; r <= R - 2; ++r) {
            if (freeCell(r, 0)) A(r, 0) = A(r, 1);
            if (freeCell(r, C - 1)) A(r, C - 1) = A(r, C - 2);
        }
        for (int c = 1; c <= C - 2; ++c) {
            if (freeCell(0, c)) A(0, c) = A(1, c);
            if (freeCell(R - 1, c)) A(R - 1, c) = A(R - 2, c);
        }
        if (freeCell(0, 0)) A(0, 0) = A(1, 1);
        if (freeCell(R - 1, C - 1)) A(R - 1, C - 1) = A(R - 2, C - 2);
        if (freeCell(0, C - 1)) A(0, C - 1) = A(1, C - 2);
        if (freeCell(R - 1, 0)) A(R - 1, 0) = A(R - 2, 1);
    };
    for (int it = 0; it < sweeps; ++it) {
        if (R >= 3 && C >= 3) {
            auto ring = [&](int r, int c) {
                if (freeCell(r, c)) A(r, c) = 0.25 * (A(r - 1, c) + A(r + 1, c) + A(r, c - 1) + A(r, c + 1));
            };
            for (int r = 1; r <= R - 2; ++r) ring(r, C - 2);
            for (int r = 1; r <= R - 2; ++r) ring(r, 1);
            for (int c = 1; c <= C - 2; ++c) ring(1, c);
            for (int c = 1; c <= C - 2; ++c) ring(R - 2, c);
        }
        edgeCopy();
        for (int r = 2; r <= R - 3; ++r)
            for (int c = 2; c <= C - 3; ++c)
                if (freeCell(r, c))
                    A(r, c) = (8 * (A(r - 1, c) + A(r + 1, c) + A(r, c - 1) + A(r, c + 1)) -
                               2 * (A(r - 1, c - 1) + A(r - 1, c + 1) + A(r + 1, c - 1) + A(r + 1, c + 1)) -
                               (A(r - 2, c) + A(r + 2, c) + A(r, c - 2) + A(r, c + 2))) *
                              0.05;
        edgeCopy();
        for (int r = 1; r <= R - 2; ++r)
            for (int c = 1; c <= C - 2; ++c)
                if (freeCell(r, c)) A(r, c) = 0.25 * (A(r - 1, c) + A(r + 1, c) + A(r, c - 1) + A(r, c + 1));
        for (int r = 1; r <= R - 2; ++r) {
            if (freeCell(r, 0)) A(r, 0) = (A(r, 1) + A(r - 1, 0) + A(r + 1, 0)) / 3;
            if (freeCell(r, C - 1)) A(r, C - 1) = (A(r, C - 2) + A(r - 1, C - 1) + A(r + 1, C - 1)) / 3;
        }
        for (int c = 1; c <= C - 2; ++c) {
            if (freeCell(0, c)) A(0, c) = (A(1, c) + A(0, c - 1) + A(0, c + 1)) / 3;
            if (freeCell(R - 1, c)) A(R - 1, c) = (A(R - 2, c) + A(R - 1, c - 1) + A(R - 1, c + 1)) / 3;
        }
        if (freeCell(0, 0)) A(0, 0) = (A(0, 1) + A(1, 0)) * 0.5;
        if (freeCell(R - 1, C - 1)) A(R - 1, C - 1) = (A(R - 1, C - 2) + A(R - 2, C - 1)) * 0.5;
        if (freeCell(0, C - 1)) A(0, C - 1) = (A(0, C - 2) + A(1, C - 1)) * 0.5;
        if (freeCell(R - 1, 0)) A(R - 1, 0) = (A(R - 2, 0) + A(R - 1, 1)) * 0.5;
    }
    for (int it = 0; it < refining; ++it)
        for (int r = 1; r <= R - 2; ++r)
            for (int c = 1; c <= C - 2; ++c) A(r, c) = 0.25 * (A(r - 1, c) + A(r + 1, c) + A(r, c - 1) + A(r, c + 1));
    if (lsqrIterations > 0)
        for (double& v : A.cells())
            if (v < 0) v = 0;
    return A;
}

RealGrid randomGrid(int rows, int cols, double knownFraction, unsigned seed)
{
    std::mt19937 gen(seed);
    return dense::randomKnownGrid<RealGrid>(gen, rows, cols, knownFraction);
}

RealGrid solve(const RealGrid& input, int sweeps, int refining, int lsqr, Reporter&& reporter = NullReporter(),
               SurfaceChoice surface = {})
{
    CentralDifferenceSolver solver(input, sweeps, refining, reporter);
    solver.setSurface(surface);
    auto out = solver.solve(lsqr);
    EXPECT_TRUE(out.has_value());
    return out.value_or(RealGrid());
}

} // namespace

TEST(Relaxation, MatchesThePlainSweepsBitForBit)
{
    const int sizes[][2] = {{2, 2}, {2, 7}, {7, 2}, {3, 3}, {4, 6}, {5, 5}, {9, 13}, {31, 17}, {64, 64}, {151, 127}};
    unsigned seed = 1;
    for (auto [R, C] : sizes)
        for (double known : {0.0, 0.05, 0.3, 0.9})
            for (int lsqr : {0, 1}) {
                const RealGrid input = randomGrid(R, C, known, seed++);
                EXPECT_EQ(solve(input, 7, 2, lsqr), referenceRelaxation(input, 7, 2, lsqr))
                    << R << " x " << C << " known " << known;
            }
}

// Every fill path (the sweeps, each converged surface, window by window) keeps the known postings
// and, with voids off the outer ring, gives back a plane (to the solvers' tolerance): every stencil
// is an affine mean.
TEST(FillPaths, KeepKnownPostingsAndGiveBackAPlane)
{
    struct Path {
        const char* name;
        SurfaceChoice surface;
        bool windows;
    };
    const Path paths[] = {{"sweeps", {}, false}, {"harmonic", {SurfaceMode::Harmonic}, false},
                          {"thin-plate", {SurfaceMode::ThinPlate}, false}, {"tension", {SurfaceMode::Tension, 0.3}, false},
                          {"sweeps by windows", {}, true}, {"thin-plate by windows", {SurfaceMode::ThinPlate}, true}};
    auto fill = [](const Path& p, const RealGrid& in) {
        if (!p.windows) return solve(in, 3000, 0, 0, NullReporter(), p.surface);
        RealGrid out = in;
        GridRaster raster(out);
        WindowedFillOptions options;
        options.laplacianIterations = 3000, options.surface = p.surface, options.threads = 2;
        RecordingReporter rec;
        EXPECT_TRUE(fillByWindows(raster, options, rec));
        return out;
    };
    std::mt19937 gen(4242);
    for (int trial = 0; trial < 3; ++trial) {
        std::uniform_real_distribution<double> slope(-4, 4);
        const double a = slope(gen), b = slope(gen);
        const int R = 18 + 3 * trial, C = 23 - 2 * trial;
        RealGrid plane(R, C), voided;
        for (int r = 0; r < R; ++r)
            for (int c = 0; c < C; ++c) plane(r, c) = 500 + a * r + b * c;
        voided = plane;
        std::uniform_int_distribution<int> row(1, R - 2), col(1, C - 2), side(1, 5);
        for (int blob = 0; blob < 4; ++blob) {
            const int r0 = row(gen), c0 = col(gen), h = side(gen), w = side(gen);
            for (int r = r0; r < std::min(R - 1, r0 + h); ++r)
                for (int c = c0; c < std::min(C - 1, c0 + w); ++c) voided(r, c) = 0.0;
        }
        const RealGrid terrain = randomGrid(R, C, 0.3, 77u + unsigned(trial));
        for (const Path& p : paths) {
            const RealGrid back = fill(p, voided), kept = fill(p, terrain);
            for (std::size_t k = 0; k < plane.size(); ++k) {
                ASSERT_NEAR(back.data()[k], plane.data()[k], 1e-3) << p.name << " trial " << trial << " at " << k;
                if (terrain.data()[k] != 0.0) ASSERT_EQ(kept.data()[k], terrain.data()[k]) << p.name << " at " << k;
            }
        }
    }
}

TEST(Relaxation, LogsAndDrivesTheProgressBar)
{
    RecordingReporter rec;
    CentralDifferenceSolver(RealGrid(5, 5, 0.0), 4, 3, rec).solve(0);
    EXPECT_EQ(rec.lines, (std::vector<std::string>{" ", "Computing Initial Estimate", " ",
                                                   "Refining the interpolated image."}));
    // Maximum: laplacianIterations + 1; the refining sweeps advance it while hidden.
    EXPECT_EQ(std::tuple(rec.progressMaximum, rec.progressPosition, rec.progressVisible), std::tuple(5, 7, false));
}
