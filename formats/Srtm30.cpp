#include "formats/Srtm30.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "app/core/TextNumbers.h"
#include "formats/FileIo.h"
#include "formats/SrtmHgt.h"

#include <algorithm>
#include <new>

Srtm30Corner parseSrtm30TileName(const std::string& path, Reporter& reporter)
{
    const std::string name = srtmNameCharacters(path);
    reporter.log(name);
    Srtm30Corner corner;
    corner.longitudeMultiplier = !name.empty() && name[0] == 'e' ? 1 : -1;
    corner.latitudeMultiplier = name.size() > 4 && name[4] == 'n' ? 1 : -1;
    reporter.log("latitudeMultiplier:  " + std::to_string(corner.latitudeMultiplier));
    reporter.log("longitudeMultiplier:  " + std::to_string(corner.longitudeMultiplier));
    const std::string longitudeText = name.size() == 7 ? name.substr(1, 3) : std::string();
    const std::string latitudeText = name.size() == 7 ? name.substr(5, 2) : std::string();
    reporter.log("longitudeString:  " + longitudeText);
    reporter.log("latitudeString:  " + latitudeText);
    if (auto degrees = parseRealText(latitudeText))
        corner.latitude = gridops::truncToInt(*degrees * corner.latitudeMultiplier);
    else
        reporter.notice("Conversion Error", srtm::kLatitudeMessage);
    if (auto degrees = parseRealText(longitudeText))
        corner.longitude = gridops::truncToInt(*degrees * corner.longitudeMultiplier);
    else
        reporter.notice("Conversion Error", srtm::kLongitudeMessage);
    reporter.log(std::to_string(corner.longitude));
    reporter.log(std::to_string(corner.latitude));
    return corner;
}

std::optional<IntGrid> decodeSrtm30Tile(std::span<const std::uint8_t> bytes, Reporter& reporter)
{
    reporter.log("rows is:  " + std::to_string(srtm30::kRows));
    reporter.log("columns is:  " + std::to_string(srtm30::kColumns));
    reporter.log("filesize is:  " + std::to_string(bytes.size()));
    reporter.log(" ");
    reporter.log(srtm30::kMenuHintLine);
    const std::size_t rowBytes = 2 * std::size_t(srtm30::kColumns);
    const std::size_t wholeRows = std::min(bytes.size() / rowBytes, std::size_t(srtm30::kRows));
    if (wholeRows == 0) {
        reporter.incompleteInput(srtm30::kNoRowLine);
        return std::nullopt;
    }
    if (wholeRows < std::size_t(srtm30::kRows))
        reporter.incompleteInput("SRTM30 file cut short: " + std::to_string(srtm30::kRows - wholeRows) + " of " +
                                 std::to_string(srtm30::kRows) + " rows missing (read as -32768).");
    try {
        return decodeSampleRows(bytes, 0, srtm30::kRows, srtm30::kColumns, srtm30::kMissing, reporter);
    } catch (const std::bad_alloc&) {
        reporter.progressHide();
        reporter.log(srtm::kFailedLine);
        return std::nullopt;
    }
}

std::optional<IntGrid> loadSrtm30Tile(const std::string& path, Reporter& reporter)
{
    const auto bytes = fileio::readInputFile(path, reporter);
    if (!bytes) return std::nullopt;
    return decodeSrtm30Tile(*bytes, reporter);
}
