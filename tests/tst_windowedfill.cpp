#include "engine/Relaxation.h"
#include "engine/WindowedFill.h"
#include "formats/SrtmHgt.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>
#include <cmath>
#include <random>

namespace {

RealGrid wholeGridFill(const RealGrid& input, int sweeps, int refining = 0, SurfaceChoice surface = {})
{
    NullReporter quiet;
    CentralDifferenceSolver solver(input, sweeps, refining, quiet);
    solver.setSurface(surface);
    return solver.solve(0).value_or(RealGrid());
}

RealGrid windowedFill(const RealGrid& input, int sweeps, int threads, int refining = 0, SurfaceChoice surface = {})
{
    RealGrid out = input;
    GridRaster raster(out);
    WindowedFillOptions options;
    options.laplacianIterations = sweeps;
    options.refiningSweeps = refining;
    options.threads = threads;
    options.surface = surface;
    RecordingReporter rec;
    EXPECT_TRUE(fillByWindows(raster, options, rec).has_value());
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

} // namespace

TEST(WindowedFill, EqualsTheWholeGridRunBitForBit)
{
    const int sizes[][2] = {{2, 2}, {2, 9}, {9, 2}, {3, 3}, {4, 7}, {5, 5}, {17, 11}, {40, 64}, {97, 83}};
    // The sweeps, and converged surfaces (each group's window solved apart, other groups held).
    const SurfaceChoice surfaces[] = {{}, {SurfaceMode::Tension, 0.1}, {SurfaceMode::ThinPlate}};
    unsigned seed = 1;
    for (auto [R, C] : sizes)
        for (int blobs : {0, 3, 25})
            for (double scatter : {0.0, 0.03, 0.2})
                for (const SurfaceChoice& surface : surfaces) {
                    const RealGrid input = voidedGrid(R, C, blobs, scatter, seed++);
                    const RealGrid whole = wholeGridFill(input, 60, 0, surface);
                    for (int threads : {1, 2}) {
                        const RealGrid windowed = windowedFill(input, 60, threads, 0, surface);
                        EXPECT_EQ(windowed, whole) << R << " x " << C << " blobs " << blobs << " scatter " << scatter
                                                   << " threads " << threads << " surface " << int(surface.mode);
                        for (std::size_t k = 0; k < input.size(); ++k)
                            if (input.data()[k] != 0.0) ASSERT_EQ(windowed.data()[k], input.data()[k]);
                    }
                }
}

TEST(WindowedFill, RealTileEqualsTheWholeGridRun)
{
    NullReporter quiet;
    std::optional<IntGrid> tile = readSrtmTile(GRIDMEND_TEST_DATA_DIR "/crop_N49E011.hgt", quiet);
    ASSERT_TRUE(tile);
    RealGrid input(tile->rows(), tile->cols());   // south row first, voids unknown
    for (int r = 0; r < tile->rows(); ++r)
        for (int c = 0; c < tile->cols(); ++c) {
            const std::int32_t v = (*tile)(tile->rows() - 1 - r, c);
            input(r, c) = v < -1000 ? 0.0 : double(v);
        }
    // Voids punched on the edges, a corner and in the middle, besides the tile's own.
    for (auto [r0, c0, h, w] : {std::array{0, 20, 4, 9}, {30, 0, 12, 3}, {95, 95, 6, 6}, {60, 60, 15, 20}})
        for (int r = r0; r < std::min(input.rows(), r0 + h); ++r)
            for (int c = c0; c < std::min(input.cols(), c0 + w); ++c) input(r, c) = 0.0;
    EXPECT_EQ(windowedFill(input, 300, 2), wholeGridFill(input, 300));
}

TEST(WindowedFill, GroupsJoinWithinTheStencilsReach)
{
    // Two unknown postings in a 9 x 9 grid, the second offset from the first.
    struct Row { int dr, dc; int groups; };
    for (const Row& row : {Row{0, 1, 1}, Row{1, 1, 1}, Row{2, 0, 1}, Row{0, 2, 1}, Row{2, 1, 2}, Row{1, 2, 2},
                           Row{3, 0, 2}, Row{2, 2, 2}}) {
        RealGrid g(9, 9, 7.0);
        g(3, 3) = 0.0;
        g(3 + row.dr, 3 + row.dc) = 0.0;
        GridRaster raster(g);
        std::vector<VoidGroup> groups;
        ASSERT_TRUE(findVoidGroups(raster, [&](const VoidGroup& v) { groups.push_back(v); }));
        EXPECT_EQ(int(groups.size()), row.groups) << row.dr << ", " << row.dc;
        if (row.groups == 1) {
            EXPECT_EQ(groups[0].bounds, (RasterRect{3, 3, row.dr + 1, row.dc + 1}));
        }
    }
}

TEST(WindowedFill, InexactSolversKeepKnownPostingsAndStayClose)
{
    const RealGrid input = voidedGrid(80, 90, 12, 0.01, 77);
    const RealGrid whole = wholeGridFill(input, 200, 3);
    const RealGrid windowed = windowedFill(input, 200, 2, 3);
    for (std::size_t k = 0; k < input.size(); ++k) {
        if (input.data()[k] != 0.0)
            EXPECT_EQ(windowed.data()[k], input.data()[k]);
        else
            EXPECT_NEAR(windowed.data()[k], whole.data()[k], 5.0);
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
        bool read(const RasterRect& r, double* out) override { return readsLeft-- > 0 && GridRaster(grid).read(r, out); }
        bool write(const RasterRect& r, const double* v) override { return !writeFails && GridRaster(grid).write(r, v); }
    };
    for (auto [reads, writeFails] : {std::pair{0, false}, std::pair{1, false}, std::pair{100, true}}) {
        for (int threads : {1, 2}) {
            FailingRaster raster(reads, writeFails);
            WindowedFillOptions options;
            options.laplacianIterations = 5;
            options.threads = threads;
            RecordingReporter rec;
            EXPECT_FALSE(fillByWindows(raster, options, rec).has_value()) << reads << writeFails << threads;
        }
    }
    RealGrid tiny(1, 5, 0.0);
    GridRaster raster(tiny);
    RecordingReporter rec;
    EXPECT_FALSE(fillByWindows(raster, WindowedFillOptions{}, rec).has_value());
    EXPECT_TRUE(rec.has(kGridTooSmallLine));
}

TEST(WindowedFill, AcceptChoosesGroupsAndProgressCountsTheirPostings)
{
    RealGrid g(20, 20, 5.0);
    for (auto [r, c] : {std::pair{2, 2}, {2, 3}, {10, 10}, {17, 4}, {17, 5}, {18, 5}}) g(r, c) = 0.0;
    GridRaster raster(g);
    WindowedFillOptions options;
    options.laplacianIterations = 10;
    options.threads = 2;
    options.accept = [](const VoidGroup& v) { return v.seedRow >= 5; };
    std::int64_t solved = 0, unknown = 0;
    options.progress = [&](std::int64_t s, std::int64_t u) { solved = s, unknown = u; };
    RecordingReporter rec;
    const auto summary = fillByWindows(raster, options, rec);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->groups, 2);
    EXPECT_EQ(solved, 4);
    EXPECT_EQ(unknown, 6);
    EXPECT_EQ(g(2, 2), 0.0);   // not accepted: left unknown
    EXPECT_NEAR(g(10, 10), 5.0, 1e-9);
    EXPECT_NEAR(g(18, 5), 5.0, 1e-9);
}
