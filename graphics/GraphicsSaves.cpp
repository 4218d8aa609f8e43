#include "graphics/GraphicsSaves.h"

#include "app/Reporter.h"
#include "formats/ElevationArray.h"
#include "formats/SrtmHgt.h"
#include "graphics/GraphicsModel.h"

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

bool saveGraphicsSrtmHeightfield(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    const auto tile = srtmHeightfieldTile(graphics.elevationArray, reporter);
    if (!tile || !saveSrtmTile(path, *tile, reporter)) return false;
    graphics.saved = true;
    return true;
}
