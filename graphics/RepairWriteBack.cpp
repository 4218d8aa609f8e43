// The repair write-back: interpolated values replace the null postings of the
// tile held by the graphics window.
//
// The solution S arrives south row first, the window's arrays are north row
// first: posting (r, c) of a whole tile of R rows takes S(R-1-r, c); posting
// (top+i, left+j) of a subset of h rows takes S(h-1-i, j). Values become
// integers by truncation toward zero. A posting is null when it is below
// nullDataDefinition. Known postings are never overwritten, except those marked
// in insertedMask while patchGraphicsWindow is set, which receive the solved
// surface instead of the coarse values inserted there.
//
// Pre: the session's solution has the size of the tile (or of the subset).
// Post: the whole elevationArray is the session's solution (solution-from-grid
// transfer), unless the session asks for none; the subset request is cleared. A
// solution of another size is refused with a log line and the window keeps its
// arrays.
#include "graphics/GraphicsModel.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "app/core/GridHandover.h"
#include "graphics/NullDataRepair.h"

namespace {

std::string sizeText(int rows, int columns)
{
    return std::to_string(rows) + " x " + std::to_string(columns);
}

} // namespace

std::string writeBackRefusedLine(int solutionRows, int solutionColumns, int gridRows, int gridColumns)
{
    return "Write-back refused: the solution is " + sizeText(solutionRows, solutionColumns) +
           " postings, the graphics window's grid " + sizeText(gridRows, gridColumns) + ".";
}

namespace {

/// The postings the solution replaces: the subset's rectangle or the whole grid.
CellRect replacedRectangle(const GraphicsModel& g)
{
    return g.subsetInterpolationPending ? g.subsetRectangle : CellRect{0, 0, g.imageRows(), g.imageColumns()};
}

/// True when the solution fits the rectangle, which lies inside the arrays; otherwise logs the refusal.
bool solutionFits(const GraphicsModel& g, const RealGrid& solution, const CellRect& rect, Reporter& reporter)
{
    const bool inside = rect.inside(g.imageRows(), g.imageColumns());
    if (inside && solution.rows() == rect.rows && solution.cols() == rect.columns) return true;
    reporter.log(writeBackRefusedLine(solution.rows(), solution.cols(), rect.rows, rect.columns));
    return false;
}

/// Writes trunc(S(h-1-i, j)) into the postings (top+i, left+j) chosen by replace(value, row, column), in
/// elevationArray and, when image is given, in imageArray.
template <class Replace>
void writeSolution(GraphicsModel& g, const RealGrid& solution, const CellRect& rect, IntGrid* image, Replace replace)
{
    for (int i = 0; i < rect.rows; ++i) {
        const double* s = solution.row(rect.rows - 1 - i);
        std::int32_t* e = g.elevationArray.row(rect.top + i) + rect.left;
        std::int32_t* m = image ? image->row(rect.top + i) + rect.left : nullptr;
        for (int j = 0; j < rect.columns; ++j) {
            if (!replace(e[j], rect.top + i, rect.left + j)) continue;
            e[j] = gridops::truncToInt(s[j]);
            if (m) m[j] = e[j];
        }
    }
}

/// The same for a whole tile parked in 16 bits, written into the solution itself: S(R-1-r, c) becomes
/// trunc(S(R-1-r, c)) where replace(value, r, c) chooses the posting and the tile's value elsewhere,
/// so that the solution holds the written tile in engine order.
template <class Replace>
void writeSolutionParked(const ShortGrid& tile, RealGrid& solution, IntGrid* image, Replace replace)
{
    const int rows = tile.rows();
    for (int r = 0; r < rows; ++r) {
        const std::int16_t* t = tile.row(r);
        double* s = solution.row(rows - 1 - r);
        std::int32_t* m = image ? image->row(r) : nullptr;
        for (int c = 0; c < tile.cols(); ++c) {
            if (!replace(t[c], r, c)) {
                s[c] = t[c];
                continue;
            }
            const std::int32_t v = gridops::truncToInt(s[c]);
            s[c] = v;
            if (m) m[c] = v;
        }
    }
}

void clearSubsetRequest(GraphicsModel& g)
{
    g.subsetInterpolationPending = false;
    g.interpolateSubsetRequest = false;
}

} // namespace

void GraphicsModel::writeBackAfterRun(GridHandover& session, Reporter& reporter)
{
    if (!holdsTile() || !session.solutionGrid) return;
    RealGrid& solution = *session.solutionGrid;
    const CellRect rect = replacedRectangle(*this);
    if (!solutionFits(*this, solution, rect, reporter)) {
        restoreTile();
        clearSubsetRequest(*this);   // the next Run is not held to a rectangle it no longer matches
        return;
    }
    const std::int32_t nullBelow = nullDataDefinition;
    const bool patch = !subsetInterpolationPending && session.patchGraphicsWindow && insertedMask &&
                       insertedMask->rows() == imageRows() && insertedMask->cols() == imageColumns();
    IntGrid* image = imageArray.empty() ? nullptr : &imageArray;   // a model that shows nothing may drop it
    const bool parked = tileParked();   // then the rectangle is the whole tile
    auto write = [&](auto replace) {
        if (parked) writeSolutionParked(*parkedTile_, solution, image, replace);
        else writeSolution(*this, solution, rect, image, replace);
    };
    if (patch) {
        const ByteGrid& mask = *insertedMask;
        write([&](std::int32_t v, int r, int c) { return v < nullBelow || mask(r, c) != 0; });
    } else {
        write([&](std::int32_t v, int, int) { return v < nullBelow; });
    }
    if (!subsetInterpolationPending && session.patchGraphicsWindow) {
        insertedMask.reset();
        session.patchGraphicsWindow = false;   // the mask it patched is gone
    }
    const bool keepSolution = session.solutionAfterWriteBack;
    if (parked) {
        parkedTile_.reset();   // the solution holds the written tile
        elevationArray = gridops::flipped(keepSolution ? gridops::truncToIntGrid(solution)
                                                       : gridops::truncToIntGrid(std::move(solution)));
    }
    if (!keepSolution)
        session.solutionGrid.reset();
    else if (!parked)
        session.solutionFromGrid(elevationArray);
    session.numberElevationRows = imageRows();
    session.numberElevationColumns = imageColumns();
    if (hooks.solutionReplaced && session.solutionGrid) hooks.solutionReplaced();
    clearSubsetRequest(*this);
    refresh();
    saveUndo();   // Undo keeps the filled values
}

void GraphicsModel::storeOnlyWriteBack(GridHandover& session, Reporter& reporter)
{
    if (!holdsTile() || !session.solutionGrid) return;
    const RealGrid& solution = *session.solutionGrid;
    const CellRect rect = replacedRectangle(*this);
    if (!solutionFits(*this, solution, rect, reporter)) {
        clearSubsetRequest(*this);
        return;
    }
    const std::int32_t nullBelow = nullDataDefinition;
    const bool subset = subsetInterpolationPending;
    IntGrid* image = subset ? &imageArray : nullptr;
    writeSolution(*this, solution, rect, image, [&](std::int32_t v, int, int) { return v < nullBelow; });
    if (!subset) {
        for (std::int32_t& v : elevationArray.cells())
            if (v >= kSeaLevelNoiseLow && v <= 0) v = 0;
    }
    session.solutionFromGrid(elevationArray);
    if (hooks.solutionReplaced) hooks.solutionReplaced();
    clearSubsetRequest(*this);
    if (subset) {
        // The subset's grid is released once handed over (both arrays, so they keep one size).
        elevationArray = IntGrid();
        imageArray = IntGrid();
    }
    saveUndo();
}
