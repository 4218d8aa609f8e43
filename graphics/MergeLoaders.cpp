#include "graphics/MergeLoaders.h"

#include "app/core/Reporter.h"
#include "app/core/GridHandover.h"
#include "formats/Dted.h"
#include "formats/Srtm30.h"
#include "graphics/GraphicsModel.h"

MergeLoad loadDted0MergeDem(const std::string& path, const std::string& extension, GraphicsModel& graphics,
                       Reporter& reporter)
{
    if (extension != ".dt0") {
        reporter.log(kInvalidDted0Line);
        return MergeLoad::WrongType;
    }
    auto tile = readDted0Tile(path, reporter);
    if (!tile) return MergeLoad::Failed;
    graphics.dted0Grid = std::move(*tile);
    return MergeLoad::Loaded;
}

MergeLoad loadDted1MergeDem(const std::string& path, const std::string& extension, GraphicsModel& graphics,
                       Reporter& reporter)
{
    if (extension != ".dt1" && extension != ".DT1") {
        reporter.log(kInvalidDted1Line);
        return MergeLoad::WrongType;
    }
    const auto corner = readDtedCorner(path, reporter);
    auto dted1 = readDted1Tile(path, reporter);   // its header block is only skipped
    if (!corner || !dted1) return MergeLoad::Failed;
    graphics.dted1Grid = std::move(dted1->tile);
    graphics.dted1Latitude = corner->latitude;
    graphics.dted1Longitude = corner->longitude;
    return MergeLoad::Loaded;
}

bool isSrtm30MergeExtension(const std::string& extension)
{
    return extension == ".hgt" || extension == ".dem";
}

MergeLoad loadSrtm30MergeDem(const std::string& path, const std::string& extension, GraphicsModel& graphics,
                        GridHandover& session, Reporter& reporter)
{
    if (!isSrtm30MergeExtension(extension)) return MergeLoad::WrongType;
    session.inputKind = InputKind::SessionGridInput;
    session.sizeFromInput = true;
    const Srtm30Corner corner = parseSrtm30TileName(path, reporter);
    auto tile = loadSrtm30Tile(path, reporter);
    if (!tile) return MergeLoad::Failed;
    graphics.srtm30Tile = std::move(*tile);
    graphics.srtm30latitude = corner.latitude;
    graphics.srtm30longitude = corner.longitude;
    return MergeLoad::Loaded;
}
