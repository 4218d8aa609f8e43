#include "graphics/GraphicsModel.h"

#include "app/core/Reporter.h"
#include "app/core/GridHandover.h"
#include "app/core/GridOps.h"

#include <algorithm>

void GraphicsModel::replaceArrays(const IntGrid& elevations, const IntGrid& image)
{
    elevationArray = elevations;
    imageArray = image;
    saveUndo();
    penWidth = 1;
    penColor = 0;
    raster.reset();
    readoutFromRaster = false;
}

void GraphicsModel::replaceArrays(IntGrid&& values)
{
    elevationArray = std::move(values);
    imageArray = elevationArray;
    saveUndo();
    penWidth = 1;
    penColor = 0;
    raster.reset();
    readoutFromRaster = false;
}

void GraphicsModel::showLoaded()
{
    render(elevationArray);
    if (hooks.contentReplaced) hooks.contentReplaced();
}

void GraphicsModel::loadPicture(const IntGrid& colours)
{
    replaceArrays(colours, colours);
    showLoaded();
}

void GraphicsModel::loadContourElevationArray(const IntGrid& values)
{
    IntGrid image(values.rows(), values.cols());
    auto src = values.cells();
    auto dst = image.cells();
    for (std::size_t i = 0; i < src.size(); ++i) {
        const std::int32_t v = src[i];
        dst[i] = v == 0 ? 0 : v == 255 ? 0xFFFFFF : std::int32_t(std::uint32_t(v) * 599u);
    }
    replaceArrays(values, image);
    elevationMode = true;
    showLoaded();
}

void GraphicsModel::loadRawElevationArray(const IntGrid& values)
{
    replaceArrays(values, values);
    elevationMode = true;
    showLoaded();
}

void GraphicsModel::loadTile(const IntGrid& tile)
{
    loadTile(IntGrid(tile));
}

void GraphicsModel::loadTile(IntGrid&& tile)
{
    replaceArrays(std::move(tile));
    demTileLoaded = true;
    elevationMode = false;
    showLoaded();
}

void GraphicsModel::loadErTile(const IntGrid& tile)
{
    replaceArrays(tile, tile);
    erTileLoaded = true;
    elevationMode = false;
    showLoaded();
}

void GraphicsModel::storeTile(const IntGrid& tile)
{
    // Both arrays keep the same size, so every later operation may index either.
    replaceArrays(tile, tile);
    demTileLoaded = true;
}

void GraphicsModel::saveUndo()
{
    if (!interactive) {   // nothing to undo to
        undoElevationArray = IntGrid();
        undoImageArray = IntGrid();
        return;
    }
    undoElevationArray = elevationArray;
    undoImageArray = imageArray;
}

void GraphicsModel::undo()
{
    // After a Subset or Resample changed the size, the overlapping part is copied.
    const int R = std::min(imageRows(), undoElevationArray.rows());
    const int C = std::min(imageColumns(), undoElevationArray.cols());
    for (int r = 0; r < R; ++r) {
        std::copy_n(undoElevationArray.row(r), C, elevationArray.row(r));
        std::copy_n(undoImageArray.row(r), C, imageArray.row(r));
    }
    renderArrays();
}

IntGrid GraphicsModel::inputDataCopy(std::int32_t lsqrIterations) const
{
    IntGrid copy = elevationArray;
    for (std::int32_t& v : copy.cells()) v = inputDataValue(v, nullDataDefinition, lsqrIterations);
    return copy;
}

void GraphicsModel::handOverInputData(GridHandover& session) const
{
    session.storeInputGrid(inputDataCopy(session.lsqrIterations));
    session.numberElevationRows = imageRows();
    session.numberElevationColumns = imageColumns();
}

void GraphicsModel::parkTile()
{
    if (interactive || parkedTile_ || !holdsTile() || subsetInterpolationPending) return;
    parkedTile_ = gridops::toShortGrid(elevationArray);
    if (parkedTile_) elevationArray = IntGrid();
}

void GraphicsModel::restoreTile()
{
    if (!parkedTile_) return;
    elevationArray = gridops::toIntGrid(*parkedTile_);
    parkedTile_.reset();
}

void GraphicsModel::closeAndHandOver(GridHandover& session)
{
    if (holdsContent()) {
        session.numberElevationRows = imageRows();
        session.numberElevationColumns = imageColumns();
        session.storeInputGrid(elevationArray);
    }
    session.patchGraphicsWindow = false;   // nothing is left to patch
    reset();
    changed();
}

void GraphicsModel::reset()
{
    Hooks kept = std::move(hooks);
    const std::int32_t lastSubmitted = tagging.lastSubmitted;
    const bool keptInteractive = interactive;
    std::vector<std::uint8_t> keptDted1Header = std::move(dted1Header);
    *this = GraphicsModel();
    interactive = keptInteractive;
    dted1Header = std::move(keptDted1Header);
    hooks = std::move(kept);
    tagging.lastSubmitted = lastSubmitted;
}
