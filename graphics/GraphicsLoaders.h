// The file loaders that end in the graphics window: each reads its file with
// the format's reader (which logs its lines) and hands the grid to the
// window's load operation. Each returns true when content was loaded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
/// DTED1 (".dt1", ".DT1"): the corner from the DSI record into tileLatitude and
/// tileLongitude, then the tile (load tile); the file's first 3436 bytes become the
/// model's dted1Header, kept for "Save DTED1".
bool loadDted1Tile(const std::string& path, GraphicsModel& graphics, Reporter& reporter);

/// USGS ASCII DEM (".dem", ".DEM"): load tile.
bool loadUsgsDem(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
/// ASTER DEM (".hdf"): load tile, and the window is marked as holding an ASTER DEM.
bool loadAsterHdf(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
/// ER Mapper tile ("aus_dem_erm"): load ER tile. Its corner is entered before (setErCorner).
bool loadErMapperTile(const std::string& path, GraphicsModel& graphics, Reporter& reporter);

/// Any other single-band raster GDAL opens: load tile, values truncated to whole numbers, its
/// nodata and NaN postings kRasterNullPosting; the raster's description kept for GeoTIFF output
/// and its geotransform for the readout. A raster that cannot be read changes nothing.
bool loadGdalRaster(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
/// The value null postings of a raster take in the window (below every null data definition offered).
inline constexpr std::int32_t kRasterNullPosting = -32768;

/// Submit of the "Australian ERM Data Entry Form": stores the south-west corner of the ER tile
/// and logs "Latitude is:  " and "Longitude is:  " with the values.
void setErCorner(GraphicsModel& graphics, std::int32_t latitude, std::int32_t longitude, Reporter& reporter);
