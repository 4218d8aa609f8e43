#include "graphics/GraphicsLoaders.h"

#include "app/Reporter.h"
#include "formats/AsterHdf.h"
#include "formats/ElevationArray.h"
#include "formats/ErMapper.h"
#include "formats/IndexFile.h"
#include "formats/LisaFile.h"
#include "formats/UsgsDemReader.h"
#include "graphics/GraphicsModel.h"

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

bool loadUsgsDem(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    auto grid = readUsgsDem(path, reporter);
    if (!grid) return false;
    graphics.loadTile(*grid);
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
    return true;
}

void setErCorner(GraphicsModel& graphics, std::int32_t latitude, std::int32_t longitude, Reporter& reporter)
{
    graphics.erCornerLatitude = latitude;
    reporter.log("Latitude is:  " + std::to_string(latitude));
    graphics.erCornerLongitude = longitude;
    reporter.log("Longitude is:  " + std::to_string(longitude));
}
