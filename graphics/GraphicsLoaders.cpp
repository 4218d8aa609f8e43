#include "graphics/GraphicsLoaders.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "formats/Dted.h"
#include "formats/AsterHdf.h"
#include "formats/ElevationArray.h"
#include "formats/ErMapper.h"
#include "formats/GdalRaster.h"
#include "formats/IndexFile.h"
#include "formats/LisaFile.h"
#include "formats/SrtmHgt.h"
#include "formats/TileGeoreference.h"
#include "formats/UsgsDemReader.h"
#include "graphics/GraphicsModel.h"

#include <cmath>
#include <new>
#include <utility>

namespace {

/// Reads a height file and hands the tile over to keep(tile); an exhausted allocation ends the
/// load with "Failed to open SRTM file.".
template <class Keep>
bool readSrtmTileInto(const std::string& path, Reporter& reporter, Keep keep)
{
    try {
        auto tile = readSrtmTile(path, reporter);
        if (!tile) return false;
        keep(std::move(*tile));
        return true;
    } catch (const std::bad_alloc&) {
        reporter.progressHide();
        reporter.log(srtm::kFailedLine);
        return false;
    }
}

} // namespace

bool openSrtmTile(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    const TileCorner corner = parseSrtmTileName(path, reporter);
    return readSrtmTileInto(path, reporter, [&](IntGrid&& tile) {
        graphics.tileLatitude = corner.latitude;
        graphics.tileLongitude = corner.longitude;
        const int side = tile.rows();
        graphics.loadTile(std::move(tile));
        graphics.raster = srtmTileRaster(corner, side);
    });
}

bool loadSrtmTileForBatch(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    return readSrtmTileInto(path, reporter, [&](IntGrid&& tile) { graphics.storeTile(tile); });
}

bool loadIndexFile(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    auto grid = readIndexFile(path, reporter);
    if (!grid) return false;
    graphics.loadContourElevationArray(*grid);
    return true;
}

bool loadIndexFileForBatch(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    auto grid = readIndexFile(path, reporter);
    if (!grid) return false;
    graphics.storeTile(*grid);
    return true;
}

bool loadElevationArray(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    auto file = readElevationArray(path, reporter);
    if (!file) return false;
    if (file->kindWord == kElevationGridKind) graphics.loadRawElevationArray(file->grid);
    else graphics.loadContourElevationArray(file->grid);
    return true;
}

bool inspectLisaIntoGraphics(const std::string& path, GraphicsModel&, Reporter& reporter)
{
    inspectLisaFile(path, reporter);
    return false;
}

bool loadDted1Tile(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    const auto corner = readDtedCorner(path, reporter);
    auto dted1 = readDted1Tile(path, reporter);
    if (!corner || !dted1) return false;
    graphics.dted1Header = std::move(dted1->headerBlock);
    graphics.tileLatitude = corner->latitude;
    graphics.tileLongitude = corner->longitude;
    graphics.loadTile(dted1->tile);
    graphics.raster = dtedTileRaster(*corner, dted1->tile.rows());
    return true;
}

bool loadUsgsDem(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    UsgsDemGround ground;
    auto grid = readUsgsDem(path, reporter, &ground);
    if (!grid) return false;
    graphics.loadTile(std::move(*grid));
    graphics.raster = usgsDemRaster(ground);
    return true;
}

bool loadAsterHdf(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    auto grid = readAsterHdf(path, reporter);
    if (!grid) return false;
    graphics.loadTile(*grid);
    graphics.asterTileLoaded = true;
    return true;
}

bool loadErMapperTile(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    auto grid = readErMapperTile(path, reporter);
    if (!grid) return false;
    graphics.loadErTile(*grid);
    graphics.raster = erMapperTileRaster(graphics.erCornerLatitude, graphics.erCornerLongitude);
    return true;
}

bool loadGdalRaster(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    auto raster = gdalraster::readRaster(path, reporter);
    if (!raster) return false;
    try {
        // Whole numbers, as every tile of the window; nulls fall below the null data definition.
        IntGrid tile(raster->values.rows(), raster->values.cols());
        std::int32_t* out = tile.data();
        for (double v : raster->values.cells()) *out++ = std::isnan(v) ? kRasterNullPosting : gridops::truncToInt(v);
        raster->values = RealGrid();
        graphics.loadTile(std::move(tile));
    } catch (const std::bad_alloc&) {
        reporter.log(std::string(gdalraster::kLinePrefix) + "not enough memory to show " + path);
        return false;
    }
    graphics.raster = raster->info.description;
    graphics.readoutFromRaster = true;
    if (const auto& t = raster->info.description.geoTransform) {   // south-west corner
        graphics.tileLongitude = (*t)[0];
        graphics.tileLatitude = (*t)[3] + (*t)[5] * graphics.imageRows();
    }
    return true;
}

void setErCorner(GraphicsModel& graphics, std::int32_t latitude, std::int32_t longitude, Reporter& reporter)
{
    graphics.erCornerLatitude = latitude;
    reporter.log("Latitude is:  " + std::to_string(latitude));
    graphics.erCornerLongitude = longitude;
    reporter.log("Longitude is:  " + std::to_string(longitude));
}
