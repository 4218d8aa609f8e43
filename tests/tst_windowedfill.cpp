#include "app/core/GridOps.h"
#include "engine/Relaxation.h"
#include "engine/WindowedFill.h"
#include "TestFiles.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>
#include <cmath>
#include <random>

namespace {

RealGrid wholeGridFill(const RealGrid& input, int sweeps, SurfaceChoice surface = {})
{
    NullReporter quiet;
    CentralDifferenceSolver solver(input, sweeps, 0, quiet);
    solver.setSurface(surface);
    return solver.solve(0).value_or(RealGrid());
}

RealGrid windowedFill(const RealGrid& input, int sweeps, SurfaceChoice surface = {}, int threads = 2)
{
    RealGrid out = input;
    GridRaster raster(out);
    WindowedFillOptions options;
    options.laplacianIterations = sweeps, options.surface = surface, options.threads = threads;
    RecordingReporter rec;
    EXPECT_TRUE(fillByWindows(raster, options, rec));
    return out;
}

/// Terrain-like known values with voids: scattered single postings and square blobs,
/// some of them on the edges and corners.
RealGrid voidedGrid(int rows, int cols, int blobs, double scatter, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(0, 1);
    RealGrid g(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) g(r, c) = 300 + 40 * std::sin(r * 0.3) + 25 * std::cos(c * 0.2) + 5 * u(gen);
    std::uniform_int_distribution<int> row(-2, rows), col(-2, cols), side(1, 6);
    for (int b = 0; b < blobs; ++b) {
        const int r0 = row(gen), c0 = col(gen), h = side(gen), w = side(gen);
        for (int r = std::max(0, r0); r < std::min(rows, r0 + h); ++r)
            for (int c = std::max(0, c0); c < std::min(cols, c0 + w); ++c) g(r, c) = 0.0;
    }
    for (double& v : g.cells())
        if (u(gen) < scatter) v = 0.0;
    return g;
}

/// The real crop of N49E011 (tests/data), south row first, its own voids unknown (0).
RealGrid realCrop()
{
    IntGrid tile = readTileFile(GRIDMEND_TEST_DATA_DIR "/crop_N49E011.hgt");
    tile.flipRows();
    RealGrid g = gridops::toRealGrid(tile);
    for (double& v : g.cells()) v = v < -1000 ? 0.0 : v;
    return g;
}

} // namespace

TEST(WindowedFill, EqualsTheWholeGridRunBitForBit)
{
    // The sweeps, and converged surfaces (each group's window solved apart, other groups held).
    const SurfaceChoice surfaces[] = {{}, {SurfaceMode::Tension, 0.1}, {SurfaceMode::ThinPlate}};
    unsigned seed = 1;
    for (auto [R, C] : {std::pair{2, 2}, {2, 9}, {9, 2}, {3, 3}, {4, 7}, {5, 5}, {17, 11}, {40, 64}, {97, 83}})
        for (int blobs : {0, 3, 25})
            for (double scatter : {0.0, 0.03, 0.2})
                for (const SurfaceChoice& surface : surfaces) {
                    const RealGrid input = voidedGrid(R, C, blobs, scatter, seed++);
                    EXPECT_EQ(windowedFill(input, 60, surface, 1 + int(seed % 2)), wholeGridFill(input, 60, surface))
                        << R << " x " << C << " blobs " << blobs << " scatter " << scatter << " surface "
                        << int(surface.mode);
                }
}

// Every fill path (the sweeps, each converged surface) keeps the known postings and, with voids off
// the outer ring, gives back a plane (to the solvers' tolerance): every stencil is an affine mean.
TEST(FillPaths, KeepKnownPostingsAndGiveBackAPlane)
{
    const SurfaceChoice surfaces[] = {
        {}, {SurfaceMode::Harmonic}, {SurfaceMode::ThinPlate}, {SurfaceMode::Tension, 0.3}};
    std::mt19937 gen(4242);
    std::uniform_real_distribution<double> slope(-4, 4);
    for (int trial = 0; trial < 3; ++trial) {
        const double a = slope(gen), b = slope(gen);
        const int R = 18 + 3 * trial, C = 23 - 2 * trial;
        const RealGrid terrain = voidedGrid(R, C, 4, 0.3, 77u + unsigned(trial));
        RealGrid plane(R, C), voided(R, C);
        for (int r = 0; r < R; ++r)
            for (int c = 0; c < C; ++c) {
                plane(r, c) = 500 + a * r + b * c;
                const bool ring = r == 0 || c == 0 || r == R - 1 || c == C - 1;
                voided(r, c) = ring || terrain(r, c) != 0.0 ? plane(r, c) : 0.0;
            }
        for (const SurfaceChoice& surface : surfaces) {
            const RealGrid back = wholeGridFill(voided, 3000, surface);
            for (std::size_t k = 0; k < plane.size(); ++k)   // the known postings exactly
                ASSERT_NEAR(back.data()[k], plane.data()[k], voided.data()[k] != 0.0 ? 0.0 : 1e-3)
                    << int(surface.mode) << " trial " << trial << " at " << k;
        }
    }
}

// Known postings of a real tile punched out (blocks and single postings) and filled again: the
// root-mean-square error against the real heights stays under the bound measured for each surface
// (the figure in metres, with about 3 % margin).
TEST(WindowedFill, PunchedRealPostingsComeBackWithinTheMeasuredError)
{
    const RealGrid truth = realCrop();
    RealGrid punched = truth;
    std::mt19937 gen(2026);
    std::uniform_int_distribution<int> at(3, 90);
    for (int block = 0; block < 6; ++block) {
        const int r0 = at(gen), c0 = at(gen);
        for (int r = r0; r < r0 + 7; ++r)
            for (int c = c0; c < c0 + 7; ++c) punched(r, c) = 0.0;
    }
    std::uniform_real_distribution<double> u(0, 1);
    for (double& v : punched.cells())
        if (u(gen) < 0.05) v = 0.0;
    // Measured: 10.75 (sweeps), 11.74 (harmonic), 5.42 (thin-plate), 6.01 (tension 0.1) over 815 postings.
    for (auto [surface, bound] : {std::pair{SurfaceChoice{}, 11.1},
                                  {SurfaceChoice{SurfaceMode::Harmonic}, 12.1},
                                  {SurfaceChoice{SurfaceMode::ThinPlate}, 5.6},
                                  {SurfaceChoice{SurfaceMode::Tension, 0.1}, 6.2}}) {
        const RealGrid filled = windowedFill(punched, 300, surface);
        double sum = 0;
        int n = 0;
        for (std::size_t k = 0; k < truth.size(); ++k)
            if (punched.data()[k] == 0.0 && truth.data()[k] != 0.0)
                sum += (filled.data()[k] - truth.data()[k]) * (filled.data()[k] - truth.data()[k]), ++n;
        EXPECT_EQ(n, 815);
        EXPECT_LT(std::sqrt(sum / n), bound) << int(surface.mode);
    }
}

TEST(WindowedFill, ReadAndWriteFailuresAreReported)
{
    struct FailingRaster final : WindowedRaster {
        RealGrid grid = voidedGrid(20, 20, 4, 0.05, 3);
        int readsLeft;
        bool writeFails;
        FailingRaster(int reads, bool write) : readsLeft(reads), writeFails(write) {}
        std::int64_t rows() const override { return 20; }
        std::int64_t columns() const override { return 20; }
        bool read(const RasterRect& r, double* out) override
        {
            return readsLeft-- > 0 && GridRaster(grid).read(r, out);
        }
        bool write(const RasterRect& r, const double* v) override
        {
            return !writeFails && GridRaster(grid).write(r, v);
        }
    };
    for (auto [reads, writeFails] : {std::pair{0, false}, std::pair{1, false}, std::pair{100, true}})
        for (int threads : {1, 2}) {
            FailingRaster raster(reads, writeFails);
            WindowedFillOptions options;
            options.laplacianIterations = 5, options.threads = threads;
            RecordingReporter rec;
            EXPECT_FALSE(fillByWindows(raster, options, rec)) << reads << threads;
        }
    RealGrid tiny(1, 5, 0.0);
    GridRaster raster(tiny);
    RecordingReporter rec;
    EXPECT_FALSE(fillByWindows(raster, WindowedFillOptions{}, rec).has_value() || !rec.has(kGridTooSmallLine));
}

TEST(WindowedFill, GroupsJoinWithinTheStencilsReachAndAcceptChoosesAmongThem)
{
    // Two unknown postings in a 9 x 9 grid, the second offset from the first.
    for (auto [dr, dc, count] :
         {std::tuple{0, 1, 1}, {1, 1, 1}, {2, 0, 1}, {0, 2, 1}, {2, 1, 2}, {1, 2, 2}, {3, 0, 2}, {2, 2, 2}}) {
        RealGrid g(9, 9, 7.0);
        g(3, 3) = 0.0;
        g(3 + dr, 3 + dc) = 0.0;
        GridRaster raster(g);
        std::vector<VoidGroup> groups;
        ASSERT_TRUE(findVoidGroups(raster, [&](const VoidGroup& v) { groups.push_back(v); }));
        EXPECT_EQ(int(groups.size()), count) << dr << ", " << dc;
        EXPECT_TRUE(count == 2 || groups[0].bounds == (RasterRect{3, 3, dr + 1, dc + 1})) << dr << ", " << dc;
    }
    // Accept leaves the group of (2, 2) out; progress counts the postings of the groups solved.
    RealGrid g(20, 20, 5.0);
    for (auto [r, c] : {std::pair{2, 2}, {2, 3}, {10, 10}, {17, 4}, {17, 5}, {18, 5}}) g(r, c) = 0.0;
    GridRaster raster(g);
    std::int64_t solved = 0, unknown = 0;
    WindowedFillOptions options;
    options.laplacianIterations = 10, options.threads = 2;
    options.accept = [](const VoidGroup& v) { return v.seedRow >= 5; };
    options.progress = [&](std::int64_t s, std::int64_t u) { solved = s, unknown = u; };
    RecordingReporter rec;
    const auto summary = fillByWindows(raster, options, rec);
    ASSERT_TRUE(summary);
    // (2, 2) not accepted: left unknown.
    EXPECT_EQ(std::tuple(summary->groups, solved, unknown, g(2, 2)), std::tuple(2, 4, 6, 0.0));
    EXPECT_NEAR(g(10, 10) + g(18, 5), 10.0, 1e-9);
}
