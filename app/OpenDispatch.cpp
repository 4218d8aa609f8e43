#include "app/OpenDispatch.h"

#include "app/core/Reporter.h"
#include "formats/AsterHdf.h"
#include "formats/Dted.h"
#include "formats/ElevationArray.h"
#include "formats/GdalRaster.h"
#include "formats/LisaFile.h"
#include "formats/SrtmHgt.h"
#include "graphics/GraphicsLoaders.h"
#include "graphics/GraphicsModel.h"
#include "graphics/PictureFile.h"

GridLoader loaderOf(const OpenRow& row)
{
    if (row.handling != OpenHandling::IntoGraphics) return {};
    switch (row.number) {
    case 5: return loadPictureIntoGraphics;
    case 6: return loadElevationArray;
    case 7: return openSrtmTile;
    case 8: return loadAsterHdf;
    case 9: return loadIndexFile;
    case 10: return loadUsgsDem;
    case 11: return loadDted1Tile;
    case 12: return loadErMapperTile;
    case 13: return inspectLisaIntoGraphics;
    case kGdalRasterRow: return loadGdalRaster;
    }
    return {};
}

const OpenRow* matchOpenRowOrRaster(std::string_view extension, std::string_view nameTail, std::string_view path)
{
    if (const OpenRow* row = matchOpenRow(extension, nameTail)) return row;
    return gdalraster::opensAsSingleBandRaster(std::string(path)) ? &gdalRasterRow() : nullptr;
}

const OpenRow* openRowForPath(std::string_view path)
{
    return matchOpenRowOrRaster(extensionOf(path), nameTailOf(path), path);
}

std::string loadFailedLine(const OpenRow& row, const std::string& path)
{
    switch (row.number) {
    case 5: return kImageFailedLine;
    case 6: return kElevationFileFailedLine;
    case 7: return srtm::kFailedLine;
    case 8: return asterhdf::kFailedOpenLine;
    case 11: return dted::kFailedDted1Line;
    case 13: return kLisaFailedLine;
    }
    return "Failed to open " + path + ".";
}

bool guardedLoad(const GridLoader& load, const OpenRow& row, const std::string& path, GraphicsModel& graphics,
                 Reporter& reporter)
{
    try {
        return load(path, graphics, reporter);
    } catch (...) {
        reporter.progressHide();
        reporter.log(loadFailedLine(row, path));
        return false;
    }
}
