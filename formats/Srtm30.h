// SRTM30 tiles for "Open SRTM30 Merge DEM": the name rule and the reader.
//
// A tile is 6000 rows x 4800 columns of signed 16-bit samples, high byte first,
// north row first, no header. Its north-west corner comes from the name: the
// seven characters ending four before the end of the path, longitude first
// ("e020n40.dem"); only the lower-case letters 'e' and 'n' count as positive.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

class Reporter;

namespace srtm30 {
inline constexpr int kRows = 6000;
inline constexpr int kColumns = 4800;
inline constexpr std::int32_t kMissing = -32768;   ///< samples beyond the end of a short file
inline constexpr const char* kNoRowLine = "SRTM30 file holds not one whole row: nothing loaded.";
inline constexpr const char* kMenuHintLine =
    "Select 'DEM Interpolation' and then 'Interpolate Using DTED0 or SRTM30|Expand SRTM30 DEM' from graphic "
    "window menu.";
} // namespace srtm30

/// North-west corner of an SRTM30 tile in whole degrees, with the multipliers.
struct Srtm30Corner {
    int latitude = 0;              ///< srtm30latitude
    int longitude = 0;             ///< srtm30longitude
    int latitudeMultiplier = -1;
    int longitudeMultiplier = -1;
};

/// The name rule with its log lines (the seven characters, the multipliers, the
/// degree texts, then longitude and latitude); a degree text that is not a number
/// raises a "Conversion Error" notice and gives 0. A path shorter than 11
/// characters is an unparsable name.
Srtm30Corner parseSrtm30TileName(const std::string& path, Reporter& reporter);

/// The tile from the file's bytes, with the size lines and the progress bar;
/// samples beyond the end of the bytes hold -32768, and a line counts the rows
/// missing (Reporter::incompleteInput). Nothing for a file without one whole row.
std::optional<IntGrid> decodeSrtm30Tile(std::span<const std::uint8_t> bytes, Reporter& reporter);
/// Reads a tile with the input opener's log lines; nothing when the file cannot be opened.
std::optional<IntGrid> loadSrtm30Tile(const std::string& path, Reporter& reporter);
