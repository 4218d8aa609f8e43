#include "graphics/CoarsePatch.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "app/core/GridHandover.h"
#include "formats/Srtm30.h"
#include "graphics/GraphicsModel.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

std::string sizeText(int rows, int columns)
{
    return std::to_string(rows) + " x " + std::to_string(columns);
}

/// True when rows x columns is the window's size; otherwise logs why the command is refused.
bool fitsWindow(int rows, int columns, const GraphicsModel& g, const char* command, const char* what,
                Reporter& reporter)
{
    if (rows == g.imageRows() && columns == g.imageColumns() && g.holdsContent()) return true;
    reporter.log(std::string(command) + " refused: " + what + " is " + sizeText(rows, columns) +
                 " postings but the graphics window holds " + sizeText(g.imageRows(), g.imageColumns()) + ".");
    return false;
}
template <class T>
bool fitsWindow(const Grid<T>& grid, const GraphicsModel& g, const char* command, const char* what, Reporter& reporter)
{
    return fitsWindow(grid.rows(), grid.cols(), g, command, what, reporter);
}

/// The session fields of an expansion: the next Run reads expandedGrid.
void makeExpandedGridTheInput(const RealGrid& expanded, GridHandover& s)
{
    s.fromGraphicsWindow = true;
    s.inputKind = InputKind::GraphicsGridInput;
    s.numberElevationRows = expanded.rows();
    s.numberElevationColumns = expanded.cols();
}

/// Both arrays take v at (r, c).
void setPosting(GraphicsModel& g, int r, int c, std::int32_t v)
{
    g.elevationArray(r, c) = v;
    g.imageArray(r, c) = v;
}

} // namespace

RealGrid expandCoarseGrid(const IntGrid& coarse, int rows, int columns, std::int32_t nullDataDefinition)
{
    using coarsepatch::kLatticeStep;
    RealGrid out(rows, columns, 0.0);
    for (int i = 0; i < rows && i / kLatticeStep < coarse.rows(); i += kLatticeStep)
        for (int j = 0; j < columns && j / kLatticeStep < coarse.cols(); j += kLatticeStep) {
            const std::int32_t v = coarse(i / kLatticeStep, j / kLatticeStep);
            if (v > nullDataDefinition) out(i, j) = v;
        }
    return out;
}

bool expandDted0(GraphicsModel& g, GridHandover& s, Reporter& reporter)
{
    if (!g.dted0Grid) return false;
    const int rows = (g.dted0Grid->rows() - 1) * coarsepatch::kLatticeStep + 1;
    const int columns = (g.dted0Grid->cols() - 1) * coarsepatch::kLatticeStep + 1;
    if (!fitsWindow(rows, columns, g, "Expand DTED0 DEM", "the DTED0 lattice", reporter)) return false;
    g.expandedGrid = expandCoarseGrid(*g.dted0Grid, g.imageRows(), g.imageColumns(), g.nullDataDefinition);
    g.dted0Grid.reset();
    makeExpandedGridTheInput(*g.expandedGrid, s);
    return true;
}

Srtm30Window srtm30WindowFor(double tileLatitude, double tileLongitude, int srtm30latitude, int srtm30longitude)
{
    using coarsepatch::kSrtm30Block;
    Srtm30Window w;
    w.south = srtm30latitude - 50;
    w.rowZero = srtm30::kRows - gridops::truncToInt((tileLatitude + 1 - w.south) * kSrtm30Block);
    w.rowOffset = w.rowZero + kSrtm30Block;
    w.columnZero = gridops::truncToInt((tileLongitude - srtm30longitude) * kSrtm30Block);
    w.columnOffset = w.columnZero + kSrtm30Block;
    return w;
}

Srtm30Expansion expandSrtm30(GraphicsModel& g, GridHandover& s, Reporter& reporter, IntGrid& block)
{
    using coarsepatch::kSrtm30Block;
    if (!g.srtm30Tile) return Srtm30Expansion::NotHeld;
    const Srtm30Window w = srtm30WindowFor(g.tileLatitude, g.tileLongitude, g.srtm30latitude, g.srtm30longitude);
    reporter.log("latitude is:  " + formatReal(g.tileLatitude));
    reporter.log("longitude is:  " + formatReal(g.tileLongitude));
    reporter.log("srtm30latitude is:  " + std::to_string(w.south));
    reporter.log("srtm30longitude is:  " + std::to_string(g.srtm30longitude));
    reporter.log("srtm30RowOffset is:  " + std::to_string(w.rowOffset));
    reporter.log("srtm30ColumnOffset is:  " + std::to_string(w.columnOffset));
    reporter.log("srtm30RowZero is:  " + std::to_string(w.rowZero));
    reporter.log("srtm30ColumnZero is:  " + std::to_string(w.columnZero));
    reporter.log(" ");
    const IntGrid& tile = *g.srtm30Tile;
    if (w.rowZero < 0 || w.columnZero < 0 || w.rowOffset > tile.rows() || w.columnOffset > tile.cols())
        return Srtm30Expansion::OutsideTile;

    block = IntGrid(kSrtm30Block, kSrtm30Block);
    for (int i = 0; i < kSrtm30Block; ++i)
        std::copy_n(tile.row(w.rowZero + i) + w.columnZero, kSrtm30Block, block.row(i));
    g.srtm30Tile.reset();   // a further expansion needs the SRTM30 file opened again
    // Rows and columns 0 .. 1190 take the block; row and column 1200 stay to be interpolated.
    g.expandedGrid = expandCoarseGrid(block, coarsepatch::kSrtm3Side, coarsepatch::kSrtm3Side, g.nullDataDefinition);
    makeExpandedGridTheInput(*g.expandedGrid, s);
    return Srtm30Expansion::Expanded;
}

bool insertExpanded(GraphicsModel& g, GridHandover& s, Reporter& reporter)
{
    if (!g.expandedGrid) return false;
    if (!fitsWindow(*g.expandedGrid, g, "Insert Expanded DTED0 or SRTM30 into SRTM-3", "the expanded grid", reporter))
        return false;
    const RealGrid& expanded = *g.expandedGrid;
    ByteGrid mask(g.imageRows(), g.imageColumns(), 0);
    for (int r = 0; r < g.imageRows(); ++r)
        for (int c = 0; c < g.imageColumns(); ++c) {
            if (g.imageArray(r, c) >= g.nullDataDefinition) continue;
            const double v = expanded(r, c);
            if (v > 0.0) {
                setPosting(g, r, c, gridops::truncToInt(v));
                mask(r, c) = 1;
            }
        }
    g.insertedMask = std::move(mask);
    g.expandedGrid.reset();
    s.fromGraphicsWindow = false;
    s.patchGraphicsWindow = true;
    s.inputKind = InputKind::SessionGridInput;
    s.numberElevationRows = g.imageRows();
    s.numberElevationColumns = g.imageColumns();
    g.refresh();
    return true;
}

bool assignInterpolated(GraphicsModel& g, Reporter& reporter)
{
    if (!g.interpolatedGrid) return false;
    if (!fitsWindow(*g.interpolatedGrid, g, "Assign Interpolated Elevations", "the interpolated grid", reporter))
        return false;
    const IntGrid surface = gridops::flipped(gridops::truncToIntGrid(*g.interpolatedGrid));
    for (int r = 0; r < g.imageRows(); ++r)
        for (int c = 0; c < g.imageColumns(); ++c)
            if (g.elevationArray(r, c) < g.nullDataDefinition) setPosting(g, r, c, surface(r, c));
    g.refresh();
    g.interpolatedGrid.reset();
    return true;
}

bool patchFromDted1(GraphicsModel& g, Reporter& reporter)
{
    if (!g.dted1Grid) return false;
    if (std::abs(gridops::truncToInt(g.tileLatitude - g.dted1Latitude)) >= 1 ||
        std::abs(gridops::truncToInt(g.tileLongitude - g.dted1Longitude)) >= 1) {
        reporter.log(coarsepatch::kCornersDifferLine);
        return false;
    }
    const IntGrid& dted1 = *g.dted1Grid;
    if (!fitsWindow(dted1, g, "Cut Patches from DTED1 File", "the DTED1 grid", reporter)) return false;
    for (int r = 0; r < g.imageRows(); ++r)
        for (int c = 0; c < g.imageColumns(); ++c)
            if (g.elevationArray(r, c) < g.nullDataDefinition) setPosting(g, r, c, dted1(r, c));
    g.refresh();
    return true;
}

IntGrid expandDted1(const IntGrid& dted1)
{
    using coarsepatch::kDted1Step;
    IntGrid out(coarsepatch::kSrtm1Side, coarsepatch::kSrtm1Side, coarsepatch::kDted1Filler);
    for (int i = 0; i < out.rows() && i / kDted1Step < dted1.rows(); i += kDted1Step)
        for (int j = 0; j < out.cols() && j / kDted1Step < dted1.cols(); j += kDted1Step)
            out(i, j) = dted1(i / kDted1Step, j / kDted1Step);
    return out;
}

bool expandDted1AndPatchSrtm1(GraphicsModel& g, Reporter& reporter)
{
    if (!g.dted1Grid) return false;
    if (g.imageRows() != coarsepatch::kSrtm1Side || g.imageColumns() != coarsepatch::kSrtm1Side) {
        reporter.log(coarsepatch::kSrtm1OnlyLine);
        return false;
    }
    const IntGrid expanded = expandDted1(*g.dted1Grid);
    for (int r = 0; r < g.imageRows(); ++r)
        for (int c = 0; c < g.imageColumns(); ++c)
            if (g.elevationArray(r, c) < g.nullDataDefinition && expanded(r, c) >= coarsepatch::kDted1Filler + 1)
                setPosting(g, r, c, expanded(r, c));
    g.dted1Grid.reset();
    g.refresh();
    return true;
}

void addDted0Offset(GraphicsModel& g, std::int32_t offset)
{
    if (!g.dted0Grid) return;
    for (std::int32_t& v : g.dted0Grid->cells())
        v = std::int32_t(std::clamp<std::int64_t>(std::int64_t(v) + offset, INT32_MIN, INT32_MAX));
}
