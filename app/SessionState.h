// The main window's session: the grid the last Open produced, the kind of
// input it came from, the solver parameters the user entered and the solution
// grid the last Run produced. There is exactly one; nothing persists between
// program runs.
#pragma once

#include "app/Grid.h"
#include "app/InputKind.h"
#include "app/SurfaceChoice.h"

#include <cstdint>
#include <optional>
#include <string>

struct SessionState {
    // Input identification
    std::string inputFileName;            ///< path of the file most recently opened
    InputKind inputKind = InputKind::NoInput;
    bool sizeFromInput = false;           ///< grid size known from the input: the parameters dialog greys out rows/columns
    bool batchMode = false;               ///< Run runs the batch loop
    bool fromGraphicsWindow = false;      ///< the grid to interpolate was handed over by the graphics window
    bool patchGraphicsWindow = false;     ///< write the solution back into the graphics window after Run

    // Grids
    std::int32_t numberElevationRows = 0;
    std::int32_t numberElevationColumns = 0;
    std::optional<IntGrid> inputGrid;     ///< north row first; 255 = no data
    std::optional<RealGrid> solutionGrid; ///< south row first
    std::optional<IntGrid> displayGrid;   ///< the last "Display 2D Image": floor of each solution value
    float displaySlope = 0.0f;            ///< grey map of the last "Display 2D Image" (read by the readout)
    float displayIntercept = 0.0f;
    bool inputGridReleased = false;
    bool solutionAllocated = false;

    // Solver parameters, as typed and as converted
    std::string rowsText, columnsText, lsqrIterationsText, laplacianIterationsText, scaleFactorText;
    std::int32_t lsqrIterations = 0;
    std::int32_t laplacianIterations = 0;
    double scaleFactor = 0.0;
    std::int32_t polishIterations = 0;    ///< "Refining Iterations"
    std::int32_t MAXSPAN = 0;             ///< largest extent in pixels of a rasterised shapefile
    SurfaceChoice surface;                ///< the sweeps (default) or a surface solved to convergence
    bool parametersSubmitted = false;     ///< set by any Submit of the parameters dialog, never cleared
    bool parametersAccepted = true;       ///< 0 after Cancel, 1 after Submit of the four-box form

    /// store input grid: a copy of grid becomes inputGrid, same orientation.
    void storeInputGrid(const IntGrid& grid);
    /// The same with the grid itself, given up by the caller.
    void storeInputGrid(IntGrid&& grid);
    /// input grid from solution: row i := solution row rows-1-i, truncated toward zero.
    void inputGridFromSolution();
    /// solution from grid: solution row rows-1-i := row i of grid; sets the grid size.
    void solutionFromGrid(const IntGrid& grid);
    /// The same for a grid the caller gives up, released as the solution is built.
    void solutionFromGrid(IntGrid&& grid);
};
