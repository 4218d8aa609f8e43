#include "graphics/GraphicsSaves.h"

#include "app/core/Reporter.h"
#include "formats/ElevationArray.h"
#include "formats/GdalRaster.h"
#include "formats/SrtmHgt.h"
#include "graphics/GraphicsModel.h"

#include <cmath>

namespace {

template <class Write>
bool saveWorkArray(const std::string& path, GraphicsModel& graphics, Reporter& reporter, Write write)
{
    reporter.log(path);
    if (path.empty()) return false;
    if (!write(path, graphics.elevationArray, reporter)) return false;
    reporter.log(kFileWrittenLine);
    graphics.saved = true;
    return true;
}

} // namespace

bool saveGraphicsElevationArray(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    return saveWorkArray(path, graphics, reporter, [](const std::string& p, const IntGrid& g, Reporter& r) {
        return writeElevationArray(p, g, kWorkArrayKind, r);
    });
}

bool saveGraphicsIndexArray(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    return saveWorkArray(path, graphics, reporter, writeIndexArray);
}

bool saveGraphicsGeoTiff(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    const bool tile = graphics.holdsTile();
    const std::int32_t nullBelow = graphics.nullDataDefinition;
    const RasterDescription description = graphics.raster.value_or(RasterDescription{});
    return saveWorkArray(path, graphics, reporter, [&](const std::string& p, const IntGrid& g, Reporter& r) {
        RealGrid values(g.rows(), g.cols());
        double* v = values.data();
        for (std::int32_t e : g.cells()) *v++ = tile && e < nullBelow ? std::nan("") : double(e);
        return gdalraster::writeGeoTiff(p, values, description, {}, r);
    });
}

bool saveGraphicsSrtmHeightfield(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    const auto tile = srtmHeightfieldTile(graphics.elevationArray, reporter);
    if (!tile || !saveSrtmTile(path, *tile, reporter)) return false;
    graphics.saved = true;
    return true;
}
