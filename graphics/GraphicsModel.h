// The graphics window's data model: the raster workbench.
//
// It holds one picture or one elevation tile as two integer arrays of equal
// size (north row first), their single-level undo copies, the displayed
// picture (the arrays rendered and magnified by zoomFactor, plus whatever was
// drawn on it), the scalar state of the window and the grids the repair tools
// work on. Everything here is plain C++: the GraphicsWindow widget shows it and
// calls these operations; the command-line tool uses it without a window.
//
// Colours are 0xRRGGBB integers; 0xFFFFFF is background and 0 line ink. An
// elevation v is displayed as the colour v x 599 (modulo 2^24), 255 as white.
#pragma once

#include "app/core/Grid.h"
#include "app/core/RasterDescription.h"
#include "graphics/GraphicsClicks.h"
#include "graphics/ImageToolState.h"
#include "graphics/LineTagger.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class Reporter;
struct GridHandover;

/// The displayed picture: one 0xFFRRGGBB value per screen pixel.
using Picture = Grid<std::uint32_t>;

/// How an array becomes a picture.
enum class DisplayCode {
    Colour,      ///< each value is its 0xRRGGBB colour
    Elevation,   ///< the elevation colour code: 255 white, any other v the colour v x 599
    Grey,        ///< the low byte of each value as a grey level (255 white, 0 black)
};

/// The elevation colour code of one value.
inline std::uint32_t elevationColour(std::int32_t v)
{
    return v == 255 ? 0xFFFFFFu : (std::uint32_t(v) * 599u) & 0xFFFFFFu;
}

/// What the mouse readout of a tile shows (main window labels).
struct TileReadout {
    int column = 0, row = 0;
    double longitude = 0, latitude = 0;
    std::optional<std::int32_t> value;   ///< imageArray at (row, column), when inside 1 .. size-1
};

class GraphicsModel {
public:
    // Arrays (imageRows x imageColumns, row 0 = top/north)
    IntGrid elevationArray;
    IntGrid imageArray;
    IntGrid undoElevationArray;
    IntGrid undoImageArray;
    Picture display;   ///< imageRows*zoomFactor x imageColumns*zoomFactor

    /// Keeps the undo copies and builds the display picture. gridmend-cli, which shows nothing
    /// and never undoes, turns it off and holds the grid twice instead of four times and a picture.
    bool interactive = true;

    // Scalar state; initial values are those set on creation and on Close.
    std::int32_t zoomFactor = 1;
    std::int32_t zoomCount = 0;
    std::int32_t penWidth = 1;
    std::int32_t penColor = 0;            ///< screen colour: red in bits 0-7, blue in bits 16-23
    bool drawTool = false;                ///< "Draw"
    bool eraseTool = false;               ///< "Erase"
    bool buttonHeld = false;              ///< the mouse-down flag
    int penX = 0, penY = 0;               ///< where the pen was last moved to (screen pixels)
    bool tagMode = false;
    bool elevationMode = false;
    /// currentElevation, autoIncrementValue, autoIncrement and the panel's last submitted
    /// elevation (which Close keeps: the panel's values persist while the program runs).
    TaggingState tagging;
    bool queryPixelEnabled = false;
    bool showElevationEnabled = false;
    bool digitiseEnabled = false;
    bool lineScanEnabled = false;
    bool removeWebEnabled = false;
    bool drawElevationEnabled = false;
    bool subsetRequest = false;             ///< "Subset Process Image" armed
    bool clipTextRequest = false;           ///< "Clip Text" > "Enabled"
    bool interpolateSubsetRequest = false;  ///< "Interpolate Subset Array" armed
    bool demTileLoaded = false;
    bool erTileLoaded = false;
    bool asterTileLoaded = false;           ///< the tile came from an ASTER DEM (".hdf"); the write-back acts on it
    /// Sample type, nodata and georeference of the tile's file, for GeoTIFF output; every load
    /// clears it and the loaders of georeferenced files set it.
    std::optional<RasterDescription> raster;
    bool readoutFromRaster = false;         ///< the tile readout follows raster's geotransform (GDAL rasters)
    double tileLatitude = 0.0;              ///< south-west corner of the tile, degrees
    double tileLongitude = 0.0;
    std::int32_t erCornerLatitude = 0;      ///< south-west corner of an ER tile, whole degrees
    std::int32_t erCornerLongitude = 0;
    std::int32_t nullDataDefinition = -1000;
    std::int32_t seaLevelLower = -15;
    std::int32_t seaLevelUpper = 3;
    std::int32_t dted0Offset = 0;           ///< "Offset DTED0 DEM"
    bool saved = false;
    float displaySlope = 0.0f;       ///< grey map of the tile's "Grayscale" view (its readout inverts it)
    float displayIntercept = 0.0f;
    double timerIntervalMs = 800.0;         ///< divided by zoomFactor at each Zoom In
    // Option values of the image operations
    std::array<std::int32_t, 16> filterValues{};
    std::int32_t replacementColour = 0xFFFFFF;
    std::int32_t backgroundColour = 0xFFFFFF;
    double scaleFactor = 1.0;
    double arrayOffset = 0.0;
    bool rangeTargetReference = false;      ///< range filter on the reference image instead of the process image
    ImageToolState tools;                   ///< the other values of the scanned-map tools

    // Repair grids (held while a repair is under way)
    std::optional<RealGrid> expandedGrid;      ///< real-valued elevation array read by GraphicsGridInput
    std::optional<RealGrid> interpolatedGrid;  ///< a Run's solution, south row first
    std::optional<ByteGrid> insertedMask;
    // Patch sources of the coarse-tile repair (graphics/CoarsePatch.h), north row first
    std::optional<IntGrid> dted0Grid;          ///< 121 x 121, "Open DTED0 Merge DEM"
    std::optional<IntGrid> srtm30Tile;         ///< 6000 x 4800, "Open SRTM30 Merge DEM"
    std::int32_t srtm30latitude = 0;           ///< north edge of the SRTM30 tile, whole degrees
    std::int32_t srtm30longitude = 0;          ///< west edge of the SRTM30 tile, whole degrees
    std::optional<IntGrid> dted1Grid;          ///< 1201 x 1201, "Open DTED1 Merge DEM"
    double dted1Latitude = 0.0;                ///< south-west corner of the DTED1 grid, degrees
    double dted1Longitude = 0.0;
    /// The header block of the last DTED1 file opened with "&Open", kept for "Save DTED1" for the
    /// rest of the program run, closing the window included (empty before any, and after a file
    /// too short to hold one).
    std::vector<std::uint8_t> dted1Header;
    bool subsetInterpolationPending = false;   ///< a subset was handed over; cleared by the write-back
    CellRect subsetRectangle;                  ///< the cells of that subset

    /// The rubber band of a drag that a request armed.
    struct RubberBand {
        enum class Purpose { None, Subset, ClipText, InterpolateSubset };
        Purpose purpose = Purpose::None;
        int startX = 0, startY = 0, endX = 0, endY = 0;
        std::int32_t savedPenWidth = 1;
        bool active() const { return purpose != Purpose::None; }
    } rubberBand;

    /// Wiring kept across Close: the click actions of later tools and the change notices.
    struct Hooks {
        ClickActions clicks;
        std::function<void()> changed;          ///< the display changed: repaint
        std::function<void()> contentReplaced;  ///< a load or a subset replaced the arrays: fit the window
        std::function<void()> solutionReplaced; ///< a write-back replaced the session's solution: the 3-D view smooths
    } hooks;

    int imageRows() const { return parkedTile_ ? parkedTile_->rows() : elevationArray.rows(); }
    int imageColumns() const { return parkedTile_ ? parkedTile_->cols() : elevationArray.cols(); }
    bool holdsContent() const { return !elevationArray.empty() || parkedTile_; }
    /// An elevation tile (not a picture) is held: the repair write-back acts on it.
    bool holdsTile() const { return (demTileLoaded || asterTileLoaded) && holdsContent(); }

    // Loading: each replaces both arrays and both undo copies, sets penWidth 1 and penColor black.
    void loadPicture(const IntGrid& colours);
    void loadContourElevationArray(const IntGrid& values);
    void loadRawElevationArray(const IntGrid& values);
    void loadTile(const IntGrid& tile);
    void loadTile(IntGrid&& tile);   ///< the same, keeping the grid itself as elevationArray
    void loadErTile(const IntGrid& tile);
    /// Batch: keeps the values without building a picture; sets demTileLoaded.
    void storeTile(const IntGrid& tile);

    void saveUndo();
    /// Copies the undo copies back (the overlapping part when the size changed) and renders.
    void undo();

    // Rendering (GraphicsDisplay.cpp)
    /// Builds the display from an array with the given code, magnified by zoomFactor.
    void showArray(const IntGrid& array, DisplayCode code);
    /// render(array): the array with the elevation code in elevationMode, otherwise imageArray.
    void render(const IntGrid& array);
    /// render(elevationArray): what Undo and the timer show.
    void renderArrays() { render(elevationArray); }
    /// imageArray as colours at the current zoom.
    void refresh();
    /// Zoom In / Zoom Out on the display (the arrays are not touched). false when refused.
    bool zoomIn();
    bool zoomOut();
    /// Copy Bitmap: the display, reduced to array size, becomes the arrays.
    void copyBitmap();
    /// A line on the display from the pen position to (x, y) with the current tool; the pen moves there.
    void drawTo(int x, int y);
    /// Sets one display pixel to a screen colour (red in bits 0-7).
    void setDisplayPixel(int x, int y, std::int32_t screenColour);

    // Mouse (GraphicsMouse.cpp); (x, y) in display pixels.
    void mouseDown(int x, int y, MouseButton button);
    /// Draws, follows the rubber band; returns true when the display must be repainted.
    bool mouseMove(int x, int y);
    RubberBandOutcome mouseUp(int x, int y, Reporter& reporter);
    /// The cell under a screen point.
    Cell cellAt(int x, int y) const { return cellUnder(x, y, zoomFactor); }
    /// The rectangle between two screen corners in cells, ordered and clamped to the arrays.
    CellRect cellRect(int x1, int y1, int x2, int y2) const;
    /// The tile readout under the pointer (tiles and ER tiles only).
    std::optional<TileReadout> tileReadoutAt(int x, int y) const;
    /// "Subset Process Image" after its drag: logs the corners; false (nothing changed) for a zero area.
    bool subset(const CellRect& rect, Reporter& reporter);

    /// "Input Data": the copy of elevationArray for the engine, 0 marking postings to interpolate.
    IntGrid inputDataCopy(std::int32_t lsqrIterations) const;
    /// "Input Data" after the parameters dialog: stores the copy as the session's input grid.
    void handOverInputData(GridHandover& session) const;
    /// "Close" once confirmed: hands elevationArray to the session, then resets everything.
    void closeAndHandOver(GridHandover& session);

    // Repair write-backs (RepairWriteBack.cpp). Each acts only while a tile is held, refuses
    // (log line, nothing changed) a solution whose size differs from the grid or the subset
    // it replaces, and clears the subset request.
    /// After Run: the null postings (and, while patchGraphicsWindow is set, the postings of
    /// insertedMask) of both arrays get the solved values, then the whole grid becomes the
    /// session's solution and the new arrays become the undo copies.
    void writeBackAfterRun(GridHandover& session, Reporter& reporter);
    /// After a batch run: elevationArray alone, then handed over as the session's solution.
    void storeOnlyWriteBack(GridHandover& session, Reporter& reporter);

    /// Before a Run that writes back into the whole tile, a model that shows nothing holds the
    /// tile in 16 bits when every value fits, elevationArray empty meanwhile; the write-back
    /// after Run brings it back, and so does restoreTile() when the Run ends without one.
    void parkTile();
    void restoreTile();
    bool tileParked() const { return parkedTile_.has_value(); }

    /// Returns every field to its initial value and releases the arrays (hooks and the
    /// panel's last submitted elevation are kept).
    void reset();

    void changed() { if (hooks.changed) hooks.changed(); }

private:
    std::optional<ShortGrid> parkedTile_;

    void replaceArrays(const IntGrid& elevations, const IntGrid& image);
    /// Both arrays and both undo copies become `values` (moved into elevationArray).
    void replaceArrays(IntGrid&& values);
    /// The end of every load: render, then let the window fit the picture.
    void showLoaded();
    Picture magnified(const Picture& p, int factor) const;
    void fitZoomToPicture(int rows, int columns);
};

/// Largest display picture held: 2^27 pixels, and at most 32767 pixels a side.
inline constexpr std::int64_t kMaxDisplayPixels = std::int64_t(1) << 27;
inline constexpr int kMaxDisplaySide = 32767;
inline constexpr const char* kZoomRefusedLine = "Zoom In refused: the magnified picture would be too large to hold.";

/// One posting of "Input Data"'s copy: 0 marks a posting to interpolate (below the null data
/// definition for the relaxation alone, negative for LSQR).
inline std::int32_t inputDataValue(std::int32_t elevation, std::int32_t nullDataDefinition,
                                   std::int32_t lsqrIterations) noexcept
{
    return (lsqrIterations < 1 ? elevation < nullDataDefinition : elevation < 0) ? 0 : elevation;
}
