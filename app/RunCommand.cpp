#include "app/RunCommand.h"

#include "app/BatchRun.h"
#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "app/RunInputs.h"
#include "app/SessionState.h"
#include "engine/Interpolation.h"
#include "engine/Relaxation.h"
#include "graphics/GraphicsModel.h"

#include <new>
#include <optional>

namespace {

bool kindNeedsLsqr(InputKind kind)
{
    return kind == InputKind::TextGridInput || kind == InputKind::ShapefileInput ||
           kind == InputKind::CsvInput || kind == InputKind::LasInput;
}

/// The LSQR path: the interpolation driver with the input of the session's input kind.
std::optional<RealGrid> runLsqrPath(SessionState& s, GraphicsModel& graphics, Reporter& reporter)
{
    InterpolationRequest request;
    request.rows = s.numberElevationRows;
    request.columns = s.numberElevationColumns;
    request.lsqrIterations = s.lsqrIterations;
    request.polishIterations = s.polishIterations;
    request.maxSpan = s.MAXSPAN;
    request.kind = s.inputKind;
    request.scaleFactor = s.scaleFactor;
    request.inputFileName = s.inputFileName;
    request.laplacianIterations = s.laplacianIterations;
    request.surface = s.surface;
    request.fileInput = fileInputBuilderFor(s.inputKind);
    if (s.inputKind == InputKind::SessionGridInput) {
        if (!s.inputGrid) {
            reporter.log(s.inputGridReleased ? kRunInputReleasedLine : kRunNoInputLine);
            return std::nullopt;
        }
        request.sessionGrid = &*s.inputGrid;
    }
    if (s.inputKind == InputKind::GraphicsGridInput) {
        if (!graphics.expandedGrid) {
            reporter.log(kRunNoExpandedGridLine);
            return std::nullopt;
        }
        request.graphicsGrid = &*graphics.expandedGrid;
    }
    std::unique_ptr<InterpolationProblem> problem;
    try {
        problem = interpolate(request, reporter);
    } catch (const std::bad_alloc&) {
        reporter.log(kRunOutOfMemoryLine);
        return std::nullopt;
    }
    if (!problem) return std::nullopt;
    RealGrid solution = std::move(problem->solution);
    s.lastInterpolationProblem = std::move(problem);
    return solution;
}

/// The grid becomes the solver's estimate: callers move a grid they no longer need.
std::optional<RealGrid> relax(RealGrid engineGrid, const SessionState& s, int refining, Reporter& reporter)
{
    if (engineGrid.rows() < 2 || engineGrid.cols() < 2) {
        reporter.log(kGridTooSmallLine);
        return std::nullopt;
    }
    CentralDifferenceSolver solver(std::move(engineGrid), s.laplacianIterations, refining, reporter);
    solver.setSurface(s.surface);
    return solver.solve(s.lsqrIterations);
}

/// The central-difference-only path.
std::optional<RealGrid> runRelaxationPath(SessionState& s, GraphicsModel& graphics, Reporter& reporter,
                                          int refining)
{
    RealGrid owned;   // the expanded grid is relaxed where it is, without a copy
    const RealGrid* start = &owned;
    if (!s.fromGraphicsWindow) {
        if (kindNeedsLsqr(s.inputKind)) {
            reporter.log(kRunNeedsLsqrLine);
            return std::nullopt;
        }
        if (!s.inputGrid) {
            reporter.log(s.inputGridReleased ? kRunInputReleasedLine : kRunNoInputLine);
            return std::nullopt;
        }
        IntGrid& input = *s.inputGrid;   // released below once the engine has it
        owned = input.rows() < 2 || input.cols() < 2 ? gridops::engineGridFromInput(input)
                                                     : gridops::engineGridFromInput(std::move(input));
    } else {
        if (!graphics.expandedGrid) {
            reporter.log(kRunNoExpandedGridLine);
            return std::nullopt;
        }
        start = &*graphics.expandedGrid;
    }
    if (start->rows() < 2 || start->cols() < 2) {
        reporter.log(kGridTooSmallLine);
        return std::nullopt;
    }
    s.inputGridReleased = true;
    if (!s.fromGraphicsWindow) s.inputGrid.reset();

    std::optional<RealGrid> result = start == &owned ? relax(std::move(owned), s, refining, reporter)
                                                     : relax(*start, s, refining, reporter);
    if (result) s.solutionAllocated = true;
    return result;
}

} // namespace

std::optional<RealGrid> relaxEngineGrid(const RealGrid& engineGrid, const SessionState& s, Reporter& reporter)
{
    return relax(engineGrid, s, s.polishIterations, reporter);
}

std::optional<RealGrid> solveRunInput(SessionState& s, GraphicsModel& graphics, Reporter& reporter,
                                      int relaxationRefining)
{
    // Inputs that are read as they are solved have no grid to relax; a converged surface is a
    // whole solution for them, so with it they take the driver's path with its LSQR stage skipped.
    const bool driver = s.lsqrIterations > 0 ||
                        (!s.fromGraphicsWindow && kindNeedsLsqr(s.inputKind) && s.surface.converged());
    return driver ? runLsqrPath(s, graphics, reporter) : runRelaxationPath(s, graphics, reporter, relaxationRefining);
}

RunOutcome runGridmend(SessionState& s, GraphicsModel& graphics, Reporter& reporter, const BatchJob* batch)
{
    s.lastInterpolationProblem.reset();   // the previous Run's problem is released as this one starts
    if (s.batchMode) {
        if (!batch) {
            reporter.log(kRunNoBatchListLine);
            return RunOutcome::Refused;
        }
        runBatch(*batch, s, graphics, reporter);
        s.batchMode = false;   // the batch mode ends with its run; the next Run runs the session's input
        return RunOutcome::BatchFinished;
    }
    // The tile a write-back will fill takes less room while the engine runs; it comes back with the
    // write-back, or here when the Run ends without one.
    struct TileRestore {
        GraphicsModel& graphics;
        ~TileRestore() { graphics.restoreTile(); }
    } restore{graphics};
    if (!s.fromGraphicsWindow) graphics.parkTile();
    std::optional<RealGrid> solution = solveRunInput(s, graphics, reporter, s.polishIterations);
    if (!solution) return RunOutcome::Refused;

    if (s.fromGraphicsWindow) {
        // Whole numbers, flipped: the expanded grid entered the engine north row first.
        *solution = gridops::toRealGrid(gridops::flipped(gridops::truncToIntGrid(*solution)));
    }
    s.solutionGrid = std::move(solution);
    s.numberElevationRows = s.solutionGrid->rows();
    s.numberElevationColumns = s.solutionGrid->cols();

    reporter.completionSignal();

    if (!s.fromGraphicsWindow || s.patchGraphicsWindow) graphics.writeBackAfterRun(s, reporter);
    if (s.fromGraphicsWindow) {
        if (s.solutionGrid) graphics.interpolatedGrid = *s.solutionGrid;
        s.fromGraphicsWindow = false;
    }
    reporter.log("Done interpolating file.");
    return RunOutcome::Completed;
}
