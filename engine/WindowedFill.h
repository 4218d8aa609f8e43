// The fill of a raster of any size, window by window.
//
// The relaxation (engine/Relaxation.h) changes only unknown cells (0.0), and a
// cell's update reads cells at most two rows or columns away: the 13-point
// thin-plate stencil |dr| + |dc| <= 2 covers every read of every phase (the
// 5-point means, the edge copies and means, the corner copies from the
// diagonal). So the unknown cells fall into groups, connected when two lie
// within that stencil of each other, and no group ever reads another group's
// cells. Each group is solved in its own window: its bounding box grown by two
// postings on every side (clipped at the raster's edges, where the window then
// holds that edge, so the edge rules apply exactly as on the whole raster).
// Inside the window every group cell keeps its role (edge, second ring, deep
// interior) and its place in the row-by-row visiting order, so with no refining
// sweeps and no LSQR iterations every filled value equals the whole-raster
// run's bit for bit.
//
// A converged surface in place of the sweeps (engine/SurfaceSolver.h) needs no
// further margin either: its difference terms join free cells up to two apart
// along a row or column or diagonal neighbours (the same groups), and it solves
// each group on the group's bounding box grown by two postings (the same window),
// with the free cells of other groups held as cells without data. The window's
// solve therefore repeats the whole-raster solve of the group, bit for bit.
//
// Refining sweeps and LSQR change or couple every cell of the raster, so no
// window is exact for them: their windows get `inexactMargin` further postings
// of known terrain on every side (default kInexactMargin) and only the group's
// postings are written back; known postings keep their values (the whole-raster
// run would move them by the refining sweeps).
//
// Memory follows the largest window: the group finder holds one bit per
// posting, a strip of rows as doubles, and the stack of one flood fill.
#pragma once

#include "app/core/Grid.h"
#include "app/core/SurfaceChoice.h"

#include <cstdint>
#include <functional>
#include <optional>

class Reporter;

/// A rectangle of postings: its first row and column and its size.
struct RasterRect {
    std::int64_t top = 0, left = 0, rows = 0, columns = 0;
    friend bool operator==(const RasterRect&, const RasterRect&) = default;
};

/// A raster read and written by rectangles, in the engine's values: 0.0 is an
/// unknown posting, anything else is known. Row 0 is the row the relaxation
/// visits first (the engine grids' south row); a north-first source presents its
/// rows flipped to give the same results as the whole-grid run of the windows.
///
/// The windowed fill calls read() and write() from several threads but never two
/// at once (it holds its own lock around every call), so an implementation needs
/// no locking of its own.
class WindowedRaster {
public:
    virtual ~WindowedRaster() = default;
    virtual std::int64_t rows() const = 0;
    virtual std::int64_t columns() const = 0;
    /// Reads the rectangle (inside the raster) into out, rect.rows x rect.columns
    /// values row by row. false after a failure (the implementation logs why).
    virtual bool read(const RasterRect& rect, double* out) = 0;
    /// Writes the rectangle from values (same layout); a NaN leaves its posting as
    /// it is. false after a failure (the implementation logs why).
    virtual bool write(const RasterRect& rect, const double* values) = 0;
};

/// A raster held in memory as an engine grid (row 0 first); the grid is changed in place.
class GridRaster final : public WindowedRaster {
public:
    explicit GridRaster(RealGrid& grid) : grid_(grid) {}
    std::int64_t rows() const override { return grid_.rows(); }
    std::int64_t columns() const override { return grid_.cols(); }
    bool read(const RasterRect& rect, double* out) override;
    bool write(const RasterRect& rect, const double* values) override;

private:
    RealGrid& grid_;
};

/// A connected group of unknown postings: one of its postings, its bounding box
/// and its number of postings.
struct VoidGroup {
    std::int64_t seedRow = 0, seedColumn = 0;
    RasterRect bounds;
    std::int64_t postings = 0;
};

/// Calls found(group) for every group of unknown postings, in the row-by-row order
/// of each group's first posting. Holds one bit per posting. false after a read
/// failure.
bool findVoidGroups(WindowedRaster& raster, const std::function<void(const VoidGroup&)>& found);

/// Further known postings around a group's window for refining sweeps and LSQR.
inline constexpr int kInexactMargin = 32;

struct WindowedFillOptions {
    int laplacianIterations = 0;
    int refiningSweeps = 0;
    int lsqrIterations = 0;
    double scaleFactor = 1.0;         ///< LSQR's scale factor
    int inexactMargin = kInexactMargin;
    SurfaceChoice surface;            ///< the sweeps, or a surface solved to convergence in their place
    int threads = 0;                  ///< solving threads; 0 = one per core
    /// Which groups to solve (called on the finding thread, in order); all when empty.
    std::function<bool(const VoidGroup&)> accept;
    /// Called after each solved group with the postings solved so far and the
    /// unknown postings of the raster (from one thread at a time).
    std::function<void(std::int64_t solved, std::int64_t unknown)> progress;
};

struct WindowedFillSummary {
    std::int64_t groups = 0;            ///< groups solved
    std::int64_t postings = 0;          ///< postings solved
    std::int64_t largestWindow = 0;     ///< postings of the largest window
    std::int64_t unconverged = 0;       ///< groups whose converged surface stopped at the iteration limit
};

/// The margin the options' windows get beyond the stencil's two postings: 0 for the exact
/// relaxation, inexactMargin with refining sweeps or LSQR.
int windowMargin(const WindowedFillOptions& options);

/// The window of a group: its bounds grown by `margin` postings (and the stencil's
/// two) on every side, clipped to a raster of rows x columns.
RasterRect groupWindow(const VoidGroup& group, std::int64_t rows, std::int64_t columns, int margin);

/// Fills every accepted group of unknown postings of the raster window by window: one
/// read() of the group's window, one write() over the group's bounds (NaN but its postings).
/// Nothing after a log line (a raster under 2 x 2, a read or write failure, a
/// window too large for the solver).
std::optional<WindowedFillSummary> fillByWindows(WindowedRaster& raster, const WindowedFillOptions& options,
                                                 Reporter& reporter);
