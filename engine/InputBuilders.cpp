// The input builders of the interpolation driver for the grids it is handed
// (the session's input grid, the graphics window's expanded grid): each
// obtains the grid to interpolate (engine order, 0.0 = unknown) and its size.
// The builders of the file kinds are the application's (app/RunInputs.h).
#include "engine/Interpolation.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "engine/Relaxation.h"

#include <optional>

namespace {

void logSize(const RealGrid& grid, Reporter& reporter)
{
    reporter.log("elevationRows is:  " + std::to_string(grid.rows()));
    reporter.log("elevationColumns is:  " + std::to_string(grid.cols()));
}

} // namespace

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

namespace {

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

struct BuilderEntry {
    InputKind kind;
    InputBuilder build;
};

constexpr BuilderEntry kBuilders[] = {
    {InputKind::SessionGridInput, sessionGridInput},
    {InputKind::GraphicsGridInput, graphicsGridInput},
};

} // namespace

InputBuilder inputBuilderFor(InputKind kind)
{
    for (const BuilderEntry& entry : kBuilders)
        if (entry.kind == kind) return entry.build;
    return nullptr;
}
