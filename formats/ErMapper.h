// Tiles of the Australian national DEM in the fixed ER Mapper layout
// ("aus_dem_erm"): a 512-byte header that is skipped, then 401 rows x 601
// columns of single-precision floats, high byte first, north row first. A file
// of any other size than 964,516 bytes is not such a tile. The corner is typed
// by the user; the header is not interpreted.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

class Reporter;

namespace ermapper {
inline constexpr int kRows = 401;
inline constexpr int kColumns = 601;
inline constexpr std::size_t kHeaderBytes = 512;
inline constexpr std::size_t kFileSize = kHeaderBytes + std::size_t(kRows) * kColumns * 4;   // 964,516
inline constexpr const char* kNotErFileLine = "This does not appear to be an ER file.";
} // namespace ermapper

/// The tile from the file's bytes: logs "File size is N bytes."; a file of another
/// size logs "This does not appear to be an ER file." and gives nothing. Samples
/// are truncated toward zero; NaN and values beyond the 32-bit range give -32768.
std::optional<IntGrid> decodeErMapperTile(std::span<const std::uint8_t> bytes, Reporter& reporter);
/// Reads a tile with the input opener's log lines (the same refusal when the file
/// cannot be opened).
std::optional<IntGrid> readErMapperTile(const std::string& path, Reporter& reporter);

/// The picture of a grid as its raw values: each value v gives the colour
/// 0xRRGGBB with blue = bits 0-7, green = bits 8-15 and red = bits 16-23 (the
/// "Australian ER Image Form", "DTED0 Base File" and "DTED1 Merge Image" windows).
IntGrid rawValueColours(const IntGrid& grid);
