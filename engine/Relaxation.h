// Central-difference Laplacian / thin-plate relaxation.
//
// Fills the unknown cells (exactly 0.0) of an engine grid from its known cells
// (any non-zero value) by in-place Gauss-Seidel sweeps: a 5-point mean on the
// second ring, edge copies, the 13-point biharmonic stencil solved for its
// centre (weight 20) on the deep interior, edge copies again, the 5-point
// Laplacian on the interior and 3-point / 2-point edge means. The visiting
// order is part of the result. Optional refining sweeps then apply the
// 5-point mean to every interior cell, known or not.
//
// Pre: the grid has at least 2 rows and 2 columns (smaller grids are refused
// with a log line). Post: without refining sweeps known cells keep their
// values exactly; with lsqrIterations > 0 negative results are clipped to 0.
//
// Each phase visits its free cells in an order made once before the sweeps, so a
// sweep costs about in proportion to the unknown cells. The order interleaves a band of
// rows, each a few columns behind the row above, in an order that gives the same
// bits as the plain row-by-row visit while keeping several independent update
// chains in flight (a Gauss-Seidel sweep is otherwise bound by the latency of
// each cell waiting for its left neighbour).
#pragma once

#include "app/core/Grid.h"
#include "app/core/SurfaceChoice.h"

#include <cstdint>
#include <optional>
#include <vector>

class Reporter;

/// A visiting order of free cells: before each run, the listed cells up to cellsEnd; then the
/// steps begin..end-1 of the band of `rows` rows from row `top`, whose cells are all visited
/// (step t visits column t - i * lag of the band's row i).
struct BandedOrder {
    struct Run {
        std::size_t cellsEnd;
        int top, rows, begin, end;
    };
    std::vector<std::uint32_t> cells;
    std::vector<Run> runs;
};

class CentralDifferenceSolver {
public:
    /// Takes the input (engine order, 0.0 = unknown) as the start of the estimate and logs " " and
    /// "Computing Initial Estimate"; only which cells of the outer rings are unknown is kept besides it.
    CentralDifferenceSolver(RealGrid input, int laplacianIterations, int polishIterations, Reporter& reporter);

    /// Runs the main and refining sweeps and the negative clipping (when lsqrIterations > 0);
    /// returns the estimate, or nothing for a grid under 2 x 2 (after a log line).
    std::optional<RealGrid> solve(int lsqrIterations);

    /// In place of the main sweeps, a surface solved to convergence with the known cells fixed
    /// (engine/SurfaceSolver.h); the refining sweeps and the clipping follow as after the sweeps.
    void setSurface(const SurfaceChoice& surface) { surface_ = surface; }

    /// One main sweep, without progress or logging (for benchmarks).
    void mainSweep();

    int rows() const { return rows_; }
    int columns() const { return cols_; }

private:
    void buildFreeLists();
    void secondRing();
    void edgeCopy();
    void thinPlate();
    void laplacian();
    void edgeMeans();
    void refiningSweep();
    /// Whether a cell of the two outer rings was unknown in the input.
    bool isFree(int r, int c) const
    {
        if (r < 2 || r >= rows_ - 2) return freeRows_(r < 2 ? r : r - rows_ + 4, c) != 0;
        return freeColumns_(r, c < 2 ? c : c - cols_ + 4) != 0;
    }

    int rows_, cols_;
    RealGrid estimate_;
    /// 1 for the unknown cells of the input in rows 0, 1, R-2, R-1 and in columns 0, 1, C-2, C-1:
    /// besides the visiting orders, the sweeps ask only about those.
    ByteGrid freeRows_, freeColumns_;
    int laplacianIterations_, polishIterations_;
    Reporter& reporter_;
    BandedOrder thinPlateFree_, laplacianFree_;
    bool listsBuilt_ = false;
    SurfaceChoice surface_;
};

/// The message logged when a grid is too small to interpolate.
inline constexpr const char* kGridTooSmallLine =
    "Grid too small to interpolate: at least 2 rows and 2 columns are needed.";
