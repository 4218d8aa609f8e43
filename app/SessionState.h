// The main window's session: the file most recently opened, the solver
// parameters the user entered and the grids handed between the windows and
// Run (GridHandover). There is exactly one; nothing persists between program
// runs.
#pragma once

#include "app/core/GridHandover.h"
#include "app/core/SurfaceChoice.h"

#include <cstdint>
#include <memory>
#include <string>

class InterpolationProblem;

struct SessionState : GridHandover {
    std::string inputFileName;            ///< path of the file most recently opened
    bool batchMode = false;               ///< Run runs the batch loop

    // Solver parameters, as typed and as converted (lsqrIterations is in GridHandover)
    std::string rowsText, columnsText, lsqrIterationsText, laplacianIterationsText, scaleFactorText;
    std::int32_t laplacianIterations = 0;
    double scaleFactor = 0.0;
    std::int32_t polishIterations = 0;    ///< "Refining Iterations"
    std::int32_t MAXSPAN = 0;             ///< largest extent in pixels of a rasterised shapefile
    SurfaceChoice surface;                ///< the sweeps (default) or a surface solved to convergence
    bool parametersSubmitted = false;     ///< set by any Submit of the parameters dialog, never cleared
    bool parametersAccepted = true;       ///< 0 after Cancel, 1 after Submit of the four-box form

    /// The interpolation problem of the last LSQR Run, kept until the next Run starts; batch
    /// mode releases it after each file.
    std::shared_ptr<InterpolationProblem> lastInterpolationProblem;
};
