#include "graphics/GraphicsModel.h"

#include "app/Reporter.h"
#include "app/SessionState.h"

void GraphicsModel::loadTile(const IntGrid& tile)
{
    elevationArray = tile;
    imageArray = tile;
    undoElevationArray = tile;
    undoImageArray = tile;
    demTileLoaded = true;
    elevationMode = false;
    changed();
}

void GraphicsModel::saveUndo()
{
    undoElevationArray = elevationArray;
    undoImageArray = imageArray;
}

void GraphicsModel::undo()
{
    // Copies the overlapping part when a Subset or Resample changed the size.
    const int R = imageRows(), C = imageColumns();
    for (int r = 0; r < R && r < undoElevationArray.rows(); ++r)
        for (int c = 0; c < C && c < undoElevationArray.cols(); ++c) {
            elevationArray(r, c) = undoElevationArray(r, c);
            imageArray(r, c) = undoImageArray(r, c);
        }
    changed();
}

void GraphicsModel::writeBackAfterRun(SessionState&, Reporter&)
{
    if (!demTileLoaded) return;
    // The null-posting write-back arrives with the repair tools.
}

void GraphicsModel::reset()
{
    auto callback = std::move(onChanged);
    *this = GraphicsModel();
    onChanged = std::move(callback);
}
