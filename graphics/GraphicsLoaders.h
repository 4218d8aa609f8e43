// The file loaders that end in the graphics window: each reads its file with
// the format's reader (which logs its lines) and hands the grid to the
// window's load operation. Each returns true when content was loaded.
#pragma once

#include <string>

class GraphicsModel;
class Reporter;

/// SRTM height file (".hgt"), the Open command's loader: the tile's south-west corner from the
/// file name (a name that does not follow the rule raises its "Conversion Error" notices and gives
/// 0), then the tile by load tile with the corner as tileLatitude and tileLongitude. A file that
/// cannot be read, or holds no samples, changes nothing in the window.
bool openSrtmTile(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
/// The batch twin: the tile kept by store tile (batch), nothing shown, no corner.
bool loadSrtmTileForBatch(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
/// Index file (".ind", ".ort", ".ORT"), rasterised: load contour elevation array.
bool loadIndexFile(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
/// The batch twin: the same grid kept by store tile (batch), nothing shown.
bool loadIndexFileForBatch(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
/// Elevation array (".elv"): kind word 1 goes to load raw elevation array, any other to load
/// contour elevation array.
bool loadElevationArray(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
/// LISA file (".ima", ".IMA"): inspected only; nothing is loaded (always false).
bool inspectLisaIntoGraphics(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
