// The input builders of the interpolation driver, one per input kind: each
// obtains the grid to interpolate (engine order, 0.0 = unknown) and its size.
// A new input kind joins by writing its builder and adding it to kBuilders.
#include "engine/Interpolation.h"

#include "app/GridOps.h"
#include "app/Reporter.h"
#include "engine/Relaxation.h"
#include "formats/CsvPoints.h"
#include "formats/LasPoints.h"
#include "formats/Shapefile.h"
#include "formats/TextGrid.h"

#include <optional>

namespace {

void logSize(const RealGrid& grid, Reporter& reporter)
{
    reporter.log("elevationRows is:  " + std::to_string(grid.rows()));
    reporter.log("elevationColumns is:  " + std::to_string(grid.cols()));
}

bool holdGrid(InterpolationProblem& p, std::optional<RealGrid> grid)
{
    if (!grid) return false;
    p.ownValues = std::move(*grid);
    p.inputValues = &p.ownValues;
    return true;
}

/// Whether the session's size can hold a grid; the file kinds read that many rows and columns.
bool sessionSizeUsable(const InterpolationRequest& request, Reporter& reporter)
{
    if (request.rows >= 2 && request.columns >= 2) return true;
    reporter.log(kGridTooSmallLine);
    return false;
}

/// TextGridInput: R x C values in file order, file row 0 into grid row 0 (no flip).
bool textGridInput(const InterpolationRequest& request, InterpolationProblem& p, Reporter& reporter)
{
    if (!sessionSizeUsable(request, reporter)) return false;
    auto read = readTextGrid(request.inputFileName, request.rows, request.columns, reporter);
    if (!read) return false;
    if (const std::string shortLine = shortTextGridLine(*read); !shortLine.empty()) {
        reporter.log(shortLine);
        return false;
    }
    return holdGrid(p, std::move(read->grid));
}

/// SessionGridInput: inputGrid turned to engine order, 255 becoming 0.0 (unknown).
bool sessionGridInput(const InterpolationRequest& request, InterpolationProblem& p, Reporter& reporter)
{
    if (!request.sessionGrid) {
        reporter.log("There is no input grid to interpolate.");
        return false;
    }
    RealGrid values = gridops::engineGridFromInput(*request.sessionGrid);
    logSize(values, reporter);
    return holdGrid(p, std::move(values));
}

/// GraphicsGridInput: the graphics window's real-valued elevation array itself.
bool graphicsGridInput(const InterpolationRequest& request, InterpolationProblem& p, Reporter& reporter)
{
    if (!request.graphicsGrid) {
        reporter.log("There is no input grid to interpolate.");
        return false;
    }
    p.inputValues = request.graphicsGrid;
    logSize(*request.graphicsGrid, reporter);
    return true;
}

bool csvInput(const InterpolationRequest& request, InterpolationProblem& p, Reporter& reporter)
{
    return sessionSizeUsable(request, reporter) &&
           holdGrid(p, readCsvPoints(request.inputFileName, request.rows, request.columns, reporter));
}

bool lasInput(const InterpolationRequest& request, InterpolationProblem& p, Reporter& reporter)
{
    return sessionSizeUsable(request, reporter) &&
           holdGrid(p, readLasPoints(request.inputFileName, request.rows, request.columns, reporter));
}

/// ShapefileInput: the polylines drawn into a grid of at most MAXSPAN cells a side (its size
/// becomes R and C); the builder runs its own 10 refining sweeps.
bool shapefileInput(const InterpolationRequest& request, InterpolationProblem& p, Reporter& reporter)
{
    p.polishIterations = 10;
    p.knownCountLabel = "Non zero nodes is:  ";
    return holdGrid(p, readShapefileContours(request.inputFileName, request.maxSpan, reporter));
}

struct BuilderEntry {
    InputKind kind;
    InputBuilder build;
};

constexpr BuilderEntry kBuilders[] = {
    {InputKind::TextGridInput, textGridInput},
    {InputKind::ShapefileInput, shapefileInput},
    {InputKind::SessionGridInput, sessionGridInput},
    {InputKind::GraphicsGridInput, graphicsGridInput},
    {InputKind::CsvInput, csvInput},
    {InputKind::LasInput, lasInput},
};

} // namespace

InputBuilder inputBuilderFor(InputKind kind)
{
    for (const BuilderEntry& entry : kBuilders)
        if (entry.kind == kind) return entry.build;
    return nullptr;
}
