// DTED level 0 and level 1 tiles: the profile readers, the corner from the DSI
// record, the loaders of "&Open", "Open DTED0 Merge DEM" and "Open DTED1 Merge
// DEM", and the "Save DTED1" writer that reuses the header block of the last
// DTED1 file opened.
//
// A tile is one data record per longitude profile, west to east; each holds N
// elevations south to north (N = 121 or 1201) after an 8-byte record header and
// before a 4-byte checksum. A record whose header starts with the sentinel 0xAA
// goes to the profile its longitude count names (partial files hold only some
// profiles); one without takes its place in the file. Elevations are 16-bit signed-magnitude numbers, high
// byte first (the published format: -32767 = 0xFFFF is the void value); negative
// values written in two's complement by careless producers are recognised as
// such. Checksums are neither verified nor computed.
#pragma once

#include "app/core/Grid.h"
#include "formats/SrtmHgt.h"   // TileCorner

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class Reporter;

namespace dted {
inline constexpr std::size_t kHeaderBytes = 3436;     ///< UHL, DSI, ACC and the first record header
inline constexpr std::size_t kRecordTrailer = 12;     ///< checksum + the next record's header
inline constexpr std::int32_t kVoid = -32767;         ///< postings never read hold it
inline constexpr int kLevel0Side = 121;
inline constexpr int kLevel1Side = 1201;
inline constexpr const char* kFailedDted0Line = "Failed to open DTED0 file.";
inline constexpr const char* kFailedDted1Line = "Failed to open DTED1 file.";
inline constexpr const char* kShortFileLine = "DTED file shorter than its header block: no elevations read.";
inline constexpr const char* kNoHeaderLine =
    "No DTED1 header block to reuse: open a DTED1 file with Open first. Nothing written.";
inline constexpr const char* kLongitudeMessage = "Failed to parse longitude string.  Using default longitude";
inline constexpr const char* kLatitudeMessage = "Failed to parse latitude string.  Using default latitude.";
} // namespace dted

/// One elevation: signed magnitude, high byte first; a two's-complement negative
/// below -16000 (other than the void) is taken as two's complement.
std::int32_t decodeDtedSample(const std::uint8_t* p);
/// Appends v as a signed-magnitude sample, limited to -32767..32767.
void putDtedSample(std::vector<std::uint8_t>& out, std::int32_t v);

/// Profile-major DTED0 grid (121 profiles x 121 elevations, [p][120] = southern
/// value) from the whole file; logs the profile count (the UHL digit at byte 48:
/// '1' = 121, '0' = 61 profiles each filling two columns, other: not read).
/// Reading stops at the end of the bytes; postings never read hold -32767, and a line
/// (Reporter::incompleteInput) counts the profiles missing or cut short.
IntGrid readDted0Profiles(std::span<const std::uint8_t> file, Reporter& reporter);
/// Profile-major DTED1 grid (1201 x 1201); the UHL digit at byte 47 must be '1'.
IntGrid readDted1Profiles(std::span<const std::uint8_t> file, Reporter& reporter);
/// The tile (row 0 = north, column 0 = west) of a profile-major grid: out[r][c] = in[c][r].
IntGrid dtedTileFromProfiles(const IntGrid& profiles);

/// South-west corner from the DSI record (longitude degrees at 274, hemisphere at
/// 283; latitude degrees at 284, hemisphere at 290) with its log lines; a degree
/// text that is not a number raises a "Conversion Error" notice and gives 0.
TileCorner readDtedCorner(std::span<const std::uint8_t> file, Reporter& reporter);
/// The same from a file read quietly; nothing when it cannot be opened.
std::optional<TileCorner> readDtedCorner(const std::string& path, Reporter& reporter);

/// A DTED1 tile as "&Open" loads it, with the header block kept for "Save DTED1"
/// (empty when the file is shorter than the block).
struct Dted1Tile {
    IntGrid tile;                            ///< 1201 x 1201, north row first
    std::vector<std::uint8_t> headerBlock;   ///< the first 3436 bytes
};
std::optional<Dted1Tile> decodeDted1Tile(std::span<const std::uint8_t> file, Reporter& reporter);
/// Reads with the input opener's log lines; nothing when the file cannot be opened.
std::optional<Dted1Tile> readDted1Tile(const std::string& path, Reporter& reporter);
/// The 121 x 121 tile of "Open DTED0 Merge DEM" (north row first); nothing when
/// the file cannot be opened.
std::optional<IntGrid> readDted0Tile(const std::string& path, Reporter& reporter);

/// "Save DTED1" bytes: the header block, then for each of the 1201 profiles (solution
/// column, west to east) its 1201 values from solution row 0 (south) up, each
/// truncated toward zero, followed by the record's checksum (the sum of its bytes) and the
/// next record's header (sentinel 0xAA, block and longitude count, latitude count 0; eight
/// zero bytes after the last record, so the file keeps its fixed length). A smaller solution is padded
/// with 0, a larger one cropped. Empty when the header block is not 3436 bytes.
std::vector<std::uint8_t> encodeDted1(const RealGrid& solution, std::span<const std::uint8_t> headerBlock);
/// Writes "Save DTED1"; refuses with a log line when no header block is held and
/// logs "could not open output file" when the file cannot be created.
bool writeDted1(const std::string& path, const RealGrid& solution, std::span<const std::uint8_t> headerBlock,
                Reporter& reporter);
