// A surface solved to convergence with its known postings fixed.
//
// The free cells minimise the energy of engine/SurfaceMultigrid.h: harmonic
// (tension 1, the discrete Laplace equation), thin-plate (tension 0, minimum
// curvature: the biharmonic equation) or the spline in tension between them
// ((1 - t) times the biharmonic plus t times the Laplacian operator), with the
// natural boundary at the edges of the grid. The free cells fall into groups
// that share no difference term; each group is solved on its own window (its
// bounding box and a margin of two cells, which holds every term that touches
// it) by conjugate gradients preconditioned with one multigrid V-cycle, from
// a pull-push fill of the window's fixed cells. The iteration stops when no cell
// changes by more than the tolerance, or at the iteration limit.
//
// Pre: fixed has the size of values (non-zero = fixed; kHeldCell marks a cell
// that is fixed but holds no data, e.g. a free cell another solve fills).
// Post: fixed cells keep their values exactly; a group whose window holds no
// fixed cell keeps its values; the returned figures cover every group.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <string>

class Reporter;

/// A fixed cell whose value is no data: it keeps its value and the start of the free cells
/// ignores it. Only free cells that share no difference term with the free cells may be held.
inline constexpr std::uint8_t kHeldCell = 2;

struct SurfaceSettings {
    double tension = 0.0;          ///< 0 thin-plate .. 1 harmonic
    double tolerance = 0.001;      ///< the largest change of a cell in the last iteration
    int iterationLimit = 1000;     ///< per group
    /// A second thread takes half of each pass over a big window; the result has the same bits without.
    bool worker = true;
};

struct SurfaceResult {
    int groups = 0;
    int iterations = 0;            ///< the most any group took
    double largestChange = 0.0;    ///< of the last iteration, over every group
    double relativeResidual = 0.0; ///< the largest over the groups: |r| / |r0|
    bool converged = true;         ///< every group met the tolerance
    double seconds = 0.0;
};

/// Solves the free cells of values in place; logs nothing.
SurfaceResult solveSurface(RealGrid& values, const ByteGrid& fixed, const SurfaceSettings& settings);

/// The engine's form: cells equal to 0.0 are free. Logs " ", "Computing Converged Surface" and
/// the figures (description names the surface, e.g. "thin-plate").
SurfaceResult solveEngineSurface(RealGrid& values, const SurfaceSettings& settings, const std::string& description,
                                 Reporter& reporter);
