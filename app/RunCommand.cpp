#include "app/RunCommand.h"

#include "app/GridOps.h"
#include "app/Reporter.h"
#include "app/SessionState.h"
#include "engine/Relaxation.h"
#include "graphics/GraphicsModel.h"

#include <optional>

namespace {

bool kindNeedsLsqr(InputKind kind)
{
    return kind == InputKind::TextGridInput || kind == InputKind::ShapefileInput ||
           kind == InputKind::CsvInput || kind == InputKind::LasInput;
}

/// inputGrid (north first, 255 = no data) in engine order with 0.0 = unknown.
RealGrid engineGridFromInput(const IntGrid& input)
{
    const int R = input.rows(), C = input.cols();
    RealGrid out(R, C);
    for (int i = 0; i < R; ++i) {
        const std::int32_t* src = input.row(i);
        double* dst = out.row(R - 1 - i);
        for (int j = 0; j < C; ++j) dst[j] = src[j] == 255 ? 0.0 : double(src[j]);
    }
    return out;
}

/// The LSQR path: the interpolation driver.
std::optional<RealGrid> runLsqrPath(SessionState&, GraphicsModel&, Reporter& reporter)
{
    reporter.log("LSQR interpolation is not available in this build; set LSQR Iterations to 0.");
    return std::nullopt;
}

/// The central-difference-only path.
std::optional<RealGrid> runRelaxationPath(SessionState& s, GraphicsModel& graphics, Reporter& reporter)
{
    RealGrid start;
    if (!s.fromGraphicsWindow) {
        if (kindNeedsLsqr(s.inputKind)) {
            reporter.log(kRunNeedsLsqrLine);
            return std::nullopt;
        }
        if (!s.inputGrid) {
            reporter.log(s.inputGridReleased ? kRunInputReleasedLine : kRunNoInputLine);
            return std::nullopt;
        }
        start = engineGridFromInput(*s.inputGrid);
    } else {
        if (!graphics.expandedGrid) {
            reporter.log(kRunNoExpandedGridLine);
            return std::nullopt;
        }
        start = *graphics.expandedGrid;
    }
    if (start.rows() < 2 || start.cols() < 2) {
        reporter.log(kGridTooSmallLine);
        return std::nullopt;
    }
    s.inputGridReleased = true;
    if (!s.fromGraphicsWindow) s.inputGrid.reset();

    std::optional<RealGrid> result = relaxEngineGrid(start, s, reporter);
    if (result) s.solutionAllocated = true;
    return result;
}

} // namespace

std::optional<RealGrid> relaxEngineGrid(const RealGrid& engineGrid, const SessionState& s, Reporter& reporter)
{
    if (engineGrid.rows() < 2 || engineGrid.cols() < 2) {
        reporter.log(kGridTooSmallLine);
        return std::nullopt;
    }
    CentralDifferenceSolver solver(engineGrid, s.laplacianIterations, s.polishIterations, reporter);
    return solver.solve(s.lsqrIterations);
}

RunOutcome runGridmend(SessionState& s, GraphicsModel& graphics, Reporter& reporter)
{
    std::optional<RealGrid> solution = s.lsqrIterations > 0 ? runLsqrPath(s, graphics, reporter)
                                                            : runRelaxationPath(s, graphics, reporter);
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
        graphics.interpolatedGrid = *s.solutionGrid;
        s.fromGraphicsWindow = false;
    }
    reporter.log("Done interpolating file.");
    return RunOutcome::Completed;
}
