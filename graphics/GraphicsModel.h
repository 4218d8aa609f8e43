// The graphics window's data model: the raster workbench.
//
// It holds one picture or one elevation tile as two integer arrays of equal
// size (north row first), their single-level undo copies, the scalar state of
// the window and the grids the repair tools work on. Everything here is plain
// C++: the GraphicsWindow widget shows it and calls these operations; the
// command-line tool uses it without a window.
#pragma once

#include "app/Grid.h"

#include <cstdint>
#include <functional>
#include <optional>

class Reporter;
struct SessionState;

class GraphicsModel {
public:
    // Arrays (imageRows x imageColumns, row 0 = top/north)
    IntGrid elevationArray;
    IntGrid imageArray;
    IntGrid undoElevationArray;
    IntGrid undoImageArray;

    // Scalar state; initial values are those set on creation and on Close.
    std::int32_t zoomFactor = 1;
    std::int32_t zoomCount = 0;
    bool tagMode = false;
    bool elevationMode = false;
    bool demTileLoaded = false;
    bool erTileLoaded = false;
    double tileLatitude = 0.0;
    double tileLongitude = 0.0;
    std::int32_t nullDataDefinition = -1000;
    std::int32_t seaLevelLower = -15;
    std::int32_t seaLevelUpper = 3;
    bool saved = false;
    float displaySlope = 0.0f;       ///< grey map of the tile's "Grayscale" view (its readout inverts it)
    float displayIntercept = 0.0f;

    // Repair grids (held while a repair is under way)
    std::optional<RealGrid> expandedGrid;      ///< real-valued elevation array read by GraphicsGridInput
    std::optional<RealGrid> interpolatedGrid;  ///< a Run's solution, south row first
    std::optional<ByteGrid> insertedMask;
    bool subsetInterpolationPending = false;

    int imageRows() const { return elevationArray.rows(); }
    int imageColumns() const { return elevationArray.cols(); }
    bool holdsContent() const { return !elevationArray.empty(); }

    /// Called after every change the display must show.
    std::function<void()> onChanged;

    // Loading (each replaces both arrays and both undo copies)
    void loadTile(const IntGrid& tile);

    void saveUndo();
    void undo();

    /// The write-back after Run: offers the session's solution to the repair
    /// write-back; does nothing unless the window holds a tile.
    void writeBackAfterRun(SessionState& session, Reporter& reporter);

    /// Returns every field to its initial value and releases the arrays.
    void reset();

private:
    void changed() { if (onChanged) onChanged(); }
};
