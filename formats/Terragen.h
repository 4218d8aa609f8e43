// Terragen terrain files (".ter"), little-endian: a 48-byte header ("TERRAGEN"
// "TERRAIN ", SIZE, XPTS, YPTS, ALTW with the height scale and base height 0),
// the heights of the solution row 0 (south) first, columns west to east, and
// "EOF ". Heights are scaled linearly so that the lowest posting is 0 and the
// highest 32000 (slope and intercept held in single precision); a flat
// solution uses a range of 1 and is warned about.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Reporter;

/// The height scale is a signed 16-bit field of the header.
inline bool terragenScaleFits(std::int32_t heightScale) { return heightScale >= -32768 && heightScale <= 32767; }
inline constexpr const char* kTerragenScaleLine = "The Terragen scale factor must lie between -32768 and 32767.";

/// The file's bytes for a solution already truncated to integers (south row first),
/// with the log lines of the scaling; nothing (after a log line) when the grid's
/// size or the height scale does not fit the header's 16-bit fields.
std::optional<std::vector<std::uint8_t>> encodeTerragen(const IntGrid& heights, std::int32_t heightScale,
                                                        Reporter& reporter);

/// "Save Terragen" after its dialogs: logs the solution's minimum and maximum,
/// writes the file and logs the scaling. False when nothing was written.
bool saveTerragen(const std::string& path, const RealGrid& solution, std::int32_t heightScale, Reporter& reporter);
