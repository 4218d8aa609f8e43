// SRTM height files (".hgt"): the tile name rule, the tile reader, the writer
// and the grid preparation of "Save SRTM" and "Save SRTM Heightfield".
//
// A height file is n x n signed 16-bit samples, high byte first, row-major,
// north row first, no header. Samples are loaded unchanged (voids stay -32768).
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class Reporter;

/// South-west corner of a tile in degrees.
struct TileCorner {
    double latitude = 0.0;
    double longitude = 0.0;
};

namespace srtm {
inline constexpr int kTile3 = 1201;   ///< 3 arc-second tile
inline constexpr int kTile1 = 3601;   ///< 1 arc-second tile
inline constexpr const char* kFailedLine = "Failed to open SRTM file.";
inline constexpr const char* kEmptyTileLine = "SRTM file holds no samples: no tile loaded.";
inline constexpr const char* kLongitudeMessage =
    "File name must follow SRTM naming convention. Using default longitude";
inline constexpr const char* kLatitudeMessage =
    "File name must follow SRTM naming convention.  Using default latitude.";
inline constexpr const char* kFileSizeErrorLine = "File size error.";
inline constexpr const char* kHeightfieldTooLargeLine = "File size exceeds 3601 by 3601. Illegal file.";
} // namespace srtm

/// The seven name characters: those ending four characters before the end of the
/// path (the 11th to the 5th character from the end). Empty when the path is
/// shorter than 11 characters.
std::string srtmNameCharacters(const std::string& path);

/// The tile name rule: logs the seven characters, then the longitude and the
/// latitude. 'N' and 'E' (upper case only) are positive. A degree text that is
/// not a number raises a "Conversion Error" notice and gives 0; a path shorter
/// than 11 characters raises both notices.
TileCorner parseSrtmTileName(const std::string& path, Reporter& reporter);

/// rows x cols signed 16-bit big-endian samples from `offset`, row by row, with
/// the progress bar 0..rows. Samples beyond the end of the bytes hold `missing`.
IntGrid decodeSampleRows(std::span<const std::uint8_t> bytes, std::size_t offset, int rows, int cols,
                         std::int32_t missing, Reporter& reporter);

/// The largest square tile that `byteCount` bytes hold (n = isqrt(byteCount / 2)).
int srtmTileSide(std::size_t byteCount);

/// A tile from the bytes of a height file; nothing (after a log line) for a
/// file too short to hold one sample, one whose length is not exactly 2 x n x n
/// bytes (Reporter::incompleteInput) or when memory runs out.
std::optional<IntGrid> decodeSrtmTile(std::span<const std::uint8_t> bytes, Reporter& reporter);
/// Reads a height file with the input opener's log lines. Nothing when the file
/// cannot be opened or holds no tile.
std::optional<IntGrid> readSrtmTile(const std::string& path, Reporter& reporter);

/// The file bytes of a grid: the low 16 bits of every value, high byte first.
std::vector<std::uint8_t> encodeSrtmTile(const IntGrid& grid);
/// Writes a height file; logs "could not open output file" and returns false on failure.
bool writeSrtmTile(const std::string& path, const IntGrid& grid, Reporter& reporter);
/// The end of "Save SRTM" and "Save SRTM Heightfield" once their dialog was answered: logs the
/// chosen path and, when it is not empty, writes the tile. false when nothing was written.
bool saveSrtmTile(const std::string& path, const IntGrid& tile, Reporter& reporter);
/// The same with the file bytes already encoded.
bool saveSrtmBytes(const std::string& path, std::span<const std::uint8_t> bytes, Reporter& reporter);

/// The grid "Save SRTM" writes from a solution (row 0 = south): north row first,
/// values truncated toward zero, padded with 0 on the south and east to 1201 x
/// 1201 or 3601 x 3601 as "Save SRTM Heightfield" pads (other sizes are not
/// height files readers take). Larger: logs "File size error." and gives nothing.
std::optional<IntGrid> srtmTileFromSolution(const RealGrid& solution, Reporter& reporter);
/// The file bytes of that grid, encoded as encodeSrtmTile does, without the grid itself.
std::optional<std::vector<std::uint8_t>> srtmBytesFromSolution(const RealGrid& solution, Reporter& reporter);

/// The grid "Save SRTM Heightfield" writes from the graphics window's elevation
/// array (row 0 = north): padded with 0 to 1201 x 1201 or to 3601 x 3601. Larger
/// than 3601 in either direction: logs "File size exceeds 3601 by 3601. Illegal
/// file." and gives nothing.
std::optional<IntGrid> srtmHeightfieldTile(const IntGrid& elevation, Reporter& reporter);
