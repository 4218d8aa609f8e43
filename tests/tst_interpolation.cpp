// The interpolation driver and its input builders.
#include "app/RunInputs.h"
#include "app/core/GridOps.h"
#include "engine/Interpolation.h"
#include "engine/Relaxation.h"
#include "engine/SurfaceSolver.h"
#include "DenseLeastSquares.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <random>

namespace {

/// A request that writes no LSQR header.
struct Request : InterpolationRequest {
    Request(InputKind k, int lsqr, const IntGrid* grid = nullptr)
    {
        kind = k, fileInput = fileInputBuilderFor(k), sessionGrid = grid;
        lsqrIterations = lsqr, laplacianIterations = 20, polishIterations = 0, scaleFactor = 1.0;
        reportStream = nullptr;
    }
};

IntGrid contourGrid(std::mt19937& gen, int rows, int columns, double knownFraction)
{
    std::uniform_real_distribution<double> u(0, 1);
    std::uniform_int_distribution<int> z(1, 900);
    IntGrid g(rows, columns, 255);
    for (std::int32_t& v : g.cells())
        if (u(gen) < knownFraction) v = z(gen);
    return g;
}

std::uint32_t firstDataColumn(const InterpolationProblem& p)
{
    return p.system->columnIndices()[p.system->rowStart()[std::size_t(p.system->unknownCount())]];
}

} // namespace

TEST(Interpolation, SessionGridRunsEveryStage)
{
    std::mt19937 gen(1);
    const IntGrid input = contourGrid(gen, 6, 7, 0.3);
    const int known = int(std::ranges::count_if(input.cells(), [](std::int32_t v) { return v != 255; }));
    Request request(InputKind::SessionGridInput, 5, &input);
    request.polishIterations = 2;
    RecordingReporter rec;
    const auto problem = interpolate(request, rec);
    ASSERT_TRUE(problem);
    EXPECT_TRUE(rec.hasSequence({"Refining the interpolated image.", "polishIterations is:  2", " ",
                                 "Computing LSQR Solution", " ", "Termination Flag is:   7",
                                 "Number of Iterations is:   5"}));
    EXPECT_EQ(rec.lines.end()[-2], "Done.  View image or save solution to file.");
    EXPECT_EQ(std::tuple(problem->solution.rows(), problem->knownCount, problem->system->equationCount()),
              std::tuple(6, known, 42 + known));
}

// The solution is the LSQR iterate from the relaxation's estimate: checked against the dense
// least-squares solution over the same Krylov space, worked out here.
TEST(Interpolation, SolutionAgreesWithAnIndependentLeastSquaresSolution)
{
    std::mt19937 gen(4);
    for (auto [R, C, iterations] : {std::tuple{5, 6, 4}, {7, 5, 7}}) {
        const IntGrid input = contourGrid(gen, R, C, 0.3);
        Request request(InputKind::SessionGridInput, iterations, &input);
        request.scaleFactor = 1.5;
        NullReporter quiet;
        const auto problem = interpolate(request, quiet);
        ASSERT_TRUE(problem);

        // The solution LSQR reaches after these iterations from the relaxation's estimate, by dense QR.
        const RealGrid engine = gridops::engineGridFromInput(input);
        const RealGrid x0 = *CentralDifferenceSolver(engine, 20, 0, quiet).solve(iterations);
        const SparseRowSystem system(engine);
        const std::vector<double> expected =
            dense::krylovIterate(dense::denseOf(system), system.rightHandSide(engine, 1.5),
                                 {x0.cells().begin(), x0.cells().end()}, std::size_t(iterations));
        const std::vector<double> solution(problem->solution.cells().begin(), problem->solution.cells().end());
        EXPECT_LT(dense::relativeDifference(solution, expected), 1e-6);
    }
}

// With a converged surface chosen, LSQR starts from that surface instead of the sweeps' estimate.
TEST(Interpolation, ConvergedSurfaceIsTheStartOfLsqr)
{
    std::mt19937 gen(9);
    const IntGrid input = contourGrid(gen, 9, 8, 0.3);
    Request request(InputKind::SessionGridInput, 3, &input);
    request.surface.mode = SurfaceMode::ThinPlate;
    RecordingReporter rec;
    const auto problem = interpolate(request, rec);
    ASSERT_TRUE(problem);

    RealGrid surface = gridops::engineGridFromInput(input);
    ByteGrid fixed(surface.rows(), surface.cols());
    for (std::size_t k = 0; k < surface.size(); ++k) fixed.data()[k] = surface.data()[k] != 0.0;
    solveSurface(surface, fixed, {0.0, 0.001, 1000});
    for (double& v : surface.cells()) v = std::max(v, 0.0);   // the LSQR path clips the start
    const std::vector<double> start(surface.cells().begin(), surface.cells().end());
    EXPECT_EQ(problem->initialEstimate, start);
}

TEST(Interpolation, OrientationOfEachGridKindAndFailuresWithoutASolution)
{
    TempDir dir;
    IntGrid north(4, 5, 255);
    north(0, 0) = 30;   // north-west corner of a north-first grid: engine row 3
    Request session(InputKind::SessionGridInput, 1, &north);
    RecordingReporter rec;
    EXPECT_EQ(firstDataColumn(*interpolate(session, rec)), 3u * 5u);

    RealGrid engine(4, 5, 0.0);
    engine(0, 1) = 30;   // the graphics window's grid is used as it is
    Request graphics(InputKind::GraphicsGridInput, 1);
    graphics.graphicsGrid = &engine;
    const auto fromGraphics = interpolate(graphics, rec);   // the input values are not kept after the Run
    EXPECT_EQ(std::pair(firstDataColumn(*fromGraphics), fromGraphics->inputValues == nullptr), std::pair(1u, true));

    writeText(dir.file("g.txt"), "0 0 0 0 0\n0 0 30 0 0\n0 0 0 0 0\n0 0 0 0 0\n");   // file row 0 -> grid row 0
    Request text(InputKind::TextGridInput, 1);
    text.inputFileName = dir.file("g.txt");
    text.rows = 4, text.columns = 5;
    EXPECT_EQ(firstDataColumn(*interpolate(text, rec)), 7u);
    writeText(dir.file("header.csv"), "X,Y,Z\n");
    const IntGrid thin(1, 5, 10);
    struct Case {
        const char* name;
        InputKind kind;
        std::string file;
        const IntGrid* grid;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"no input kind", InputKind::NoInput, "", nullptr, {"Switch error"}},
        {"grid under 2 x 2", InputKind::SessionGridInput, "", &thin,
         {"elevationRows is:  1", "elevationColumns is:  5", kGridTooSmallLine}},
        {"CSV without points", InputKind::CsvInput, dir.file("header.csv"), nullptr,
         {"number of points is:  0", "  ", "No points read: the file holds only a header line."}},
        {"LAS without points", InputKind::LasInput, testData("no-points.las"), nullptr,
         {"number of points is:  0", "  "}},
    };
    for (const Case& c : cases) {
        Request request(c.kind, 10, c.grid);
        request.inputFileName = c.file, request.rows = request.columns = 8;
        RecordingReporter rec;
        EXPECT_FALSE(interpolate(request, rec)) << c.name;
        const std::size_t shown = std::min(c.lines.size(), rec.lines.size());   // the last lines
        EXPECT_EQ(std::vector<std::string>(rec.lines.end() - std::ptrdiff_t(shown), rec.lines.end()), c.lines)
            << c.name;
    }
}

