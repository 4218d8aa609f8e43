#include "view/GreyImage.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "app/core/GridHandover.h"

GreyImage buildGreyImage(const IntGrid& grid, std::int32_t maximum, std::int32_t minimum, Reporter& reporter)
{
    GreyImage out;
    const float span = float(std::int64_t(maximum) - std::int64_t(minimum));
    out.displaySlope = maximum == minimum ? 255.0f : 255.0f / span;
    out.displayIntercept = -(float(minimum) * out.displaySlope);
    const double slope = out.displaySlope, intercept = out.displayIntercept;

    const int rows = grid.rows(), cols = grid.cols();
    out.picture = ByteGrid(rows, cols);
    reporter.progressStart(0, rows);
    for (int r = 0; r < rows; ++r) {
        const std::int32_t* in = grid.row(r);
        std::uint8_t* line = out.picture.row(rows - 1 - r);
        for (int c = 0; c < cols; ++c)
            line[c] = std::uint8_t(gridops::truncToInt(double(in[c]) * slope + intercept) & 0xFF);
        reporter.progressStep();
    }
    reporter.progressHide();
    return out;
}

DisplayRange displayRange(const RealGrid& grid, bool nullRule)
{
    DisplayRange r{gridops::minimum(grid), gridops::maximum(grid)};
    if (nullRule && r.minimum < -150.0) r.minimum = 0.0;
    return r;
}

GreyImage displaySolution(GridHandover& session, Reporter& reporter)
{
    if (!session.solutionGrid || session.solutionGrid->empty()) return {};
    const RealGrid& solution = *session.solutionGrid;
    const DisplayRange range = displayRange(solution, true);
    reporter.log("numberElevationRows is:  " + std::to_string(solution.rows()));
    reporter.log("numberElevationColumns is:  " + std::to_string(solution.cols()));
    reporter.log("minimum elevation is:  " + formatSignificant(range.minimum));
    reporter.log("maximum elevation is:  " + formatSignificant(range.maximum));
    session.displayGrid = gridops::floorToIntGrid(solution);
    GreyImage image = buildGreyImage(*session.displayGrid, gridops::truncToInt(range.maximum),
                                     gridops::truncToInt(range.minimum), reporter);
    session.displaySlope = image.displaySlope;
    session.displayIntercept = image.displayIntercept;
    return image;
}

GreyImage tileGreyImage(const IntGrid& imageArray, Reporter& reporter)
{
    // South row first, as a solution: the builder's line reversal shows row 0 at the top.
    const RealGrid reversed = gridops::toRealGrid(gridops::flipped(imageArray));
    const DisplayRange range = displayRange(reversed, true);
    return buildGreyImage(gridops::floorToIntGrid(reversed), gridops::truncToInt(range.maximum),
                          gridops::truncToInt(range.minimum), reporter);
}

std::string readoutElevation(std::uint32_t colour, float displaySlope, float displayIntercept)
{
    const double g = readoutLevel(colour);
    return formatFixed((g - double(displayIntercept)) / double(displaySlope), 2);
}
