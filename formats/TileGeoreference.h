// The georeference of the program's own georeferenced formats, as GDAL's readers
// report it for the same files: SRTM height files (corner from the name), DTED
// tiles (origin from the DSI record), USGS ASCII DEMs (record A's system, zone,
// datum and the profiles' ground positions), SRTM30 tiles (north-west corner from
// the name) and the fixed-layout ER Mapper tiles (corner typed by the user).
// Postings are cell centres, so each raster's corner lies half a spacing outside.
#pragma once

#include "app/core/RasterDescription.h"

#include <optional>

struct TileCorner;
struct UsgsDemGround;

/// An n x n SRTM tile whose south-west posting is the corner: WGS 84, Int16, nodata -32768.
RasterDescription srtmTileRaster(const TileCorner& corner, int side);
/// An n x n DTED tile whose south-west posting is the corner: WGS 84, Int16, nodata -32767.
RasterDescription dtedTileRaster(const TileCorner& corner, int side);
/// A 6000 x 4800 SRTM30 tile with its north-west corner in whole degrees: WGS 84, Int16.
RasterDescription srtm30TileRaster(int northLatitude, int westLongitude);
/// A 401 x 601 ER Mapper tile (9 arc-second postings) whose south-west posting is the corner: GDA94, Float32.
RasterDescription erMapperTileRaster(int southLatitude, int westLongitude);
/// A USGS ASCII DEM in UTM (metres) or geographic (arc-seconds) coordinates: Int16, nodata
/// -32767; nothing for other reference systems or units. In UTM its GeoTIFF is framed by the
/// lattice rows around record A's corners.
std::optional<RasterDescription> usgsDemRaster(const UsgsDemGround& ground);
