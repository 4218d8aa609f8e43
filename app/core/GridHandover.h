// The grids the windows and the Run command hand to each other: the grid to
// interpolate (with its kind and size), the solution the last Run produced and
// the grey picture last displayed from it. The graphics window fills the input
// side and takes the solution back; the 2-D and 3-D views read the solution.
#pragma once

#include "app/core/Grid.h"
#include "app/core/InputKind.h"

#include <cstdint>
#include <optional>

struct GridHandover {
    InputKind inputKind = InputKind::NoInput;
    bool sizeFromInput = false;           ///< grid size known from the input: the parameters dialog greys out rows/columns
    bool fromGraphicsWindow = false;      ///< the grid to interpolate was handed over by the graphics window
    bool patchGraphicsWindow = false;     ///< write the solution back into the graphics window after Run
    /// The write-back after Run hands the written grid back as the solution; false releases the
    /// solution instead, for a caller that keeps only the written grid.
    bool solutionAfterWriteBack = true;

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
    /// The LSQR count entered last: it decides which postings the hand-over marks unknown.
    std::int32_t lsqrIterations = 0;

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
