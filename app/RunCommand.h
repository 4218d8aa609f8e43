// The Run command ("Run Gridmend"): turns the session's input into
// solutionGrid, by the central-difference relaxation alone (no LSQR
// iterations) or through the interpolation driver (LSQR path), then writes the
// result back into the graphics window where a repair asked for it.
#pragma once

#include "app/core/Grid.h"

#include <memory>
#include <optional>

class GraphicsModel;
class Reporter;
struct BatchJob;
struct SessionState;

enum class RunOutcome {
    Completed,       ///< a solution was produced; the enabling rules of a completed Run apply
    Refused,         ///< nothing changed (log line written); no beeps, menus unchanged
    BatchFinished,   ///< batch mode: the batch loop ran over its list (it applies its own enabling)
};

/// The Run command, minus its menu enabling (the window applies that after Completed). With
/// batchMode set it runs the batch loop over batch's list instead (refused without a list).
RunOutcome runGridmend(SessionState& session, GraphicsModel& graphics, Reporter& reporter,
                       const BatchJob* batch = nullptr);

/// Run's solving step on the session's input: the interpolation driver when lsqrIterations > 0,
/// otherwise the relaxation alone with `relaxationRefining` refining sweeps (which releases the
/// input grid). Nothing (after a log line) when the input is missing or unusable.
std::optional<RealGrid> solveRunInput(SessionState& session, GraphicsModel& graphics, Reporter& reporter,
                                      int relaxationRefining);

/// The relaxation of Run's central-difference path on an engine grid (0.0 = unknown) with the
/// session's Laplacian and refining sweeps; nothing (after a log line) for a grid under 2 x 2.
std::optional<RealGrid> relaxEngineGrid(const RealGrid& engineGrid, const SessionState& session, Reporter& reporter);

/// Log lines of a refused Run.
inline constexpr const char* kRunInputReleasedLine =
    "Run refused: the previous Run used up the input grid. Open the input again (or choose 'Input Data') first.";
inline constexpr const char* kRunNoInputLine =
    "Run refused: there is no input grid. Open an input file first.";
inline constexpr const char* kRunNeedsLsqrLine =
    "Run refused: text, shapefile, CSV and LAS input need at least one LSQR iteration.";
inline constexpr const char* kRunNoExpandedGridLine =
    "Run refused: the graphics window holds no grid to interpolate.";
inline constexpr const char* kRunNoBatchListLine = "Run refused: batch mode has no list of files.";
inline constexpr const char* kRunOutOfMemoryLine =
    "Run refused: there is not enough memory to interpolate a grid of this size.";
