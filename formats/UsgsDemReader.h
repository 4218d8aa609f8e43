// The USGS ASCII DEM reader for "&Open" of ".dem"/".DEM" files.
//
// Record A (the first 1024 characters) is read by its standard columns: the
// quad name (1-144), units codes, corners, minimum and maximum, which are only
// logged, and the profile count (859-864). The type B profiles are scanned with
// the number scanner from byte 1024 (or from the line end of a record A that
// stops short of 1024 characters after its profile count): each gives its
// elevation count m, five reals and m integer elevations, south to north. An
// elevation is the profile's local datum elevation plus the stored integer times
// record A's z resolution (columns 841-852), rounded to the nearest integer; the
// void -32767 stays as it is. The grid has one column
// per profile. Each profile starts in the row of its own ground y (its B record's y over
// record A's y resolution, columns 829-840, counted from the southernmost start), so the
// ragged edges of a quadrangle in UTM keep their true position; with no usable resolution
// every profile is aligned at its southern end. Positions no profile reaches hold 0. Row 0
// is north.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

class Reporter;

namespace usgsdem {
inline constexpr const char* kCouldNotOpenLine = "Could not open input .dem file";
inline constexpr const char* kUnreadableLine = "The .dem file does not hold the profiles its header announces: nothing loaded.";
} // namespace usgsdem

/// Where the grid lies: record A's reference system, zone, units, datum and resolution,
/// the ground position of the grid's north-west posting (first profile's x, the
/// northernmost row's y), its row count, the rows each profile fills and the south and north
/// ends of record A's corners.
struct UsgsDemGround {
    int referenceSystem = 0;   ///< 0 geographic, 1 UTM, 2 state plane
    int zone = 0;
    int planimetricUnits = 0;  ///< 0 radians, 1 feet, 2 metres, 3 arc-seconds
    int horizontalDatum = 0;   ///< 1 NAD27, 2 WGS72, 3 WGS84, 4 NAD83; 0 not given
    double westX = 0.0, northY = 0.0;
    double dx = 0.0, dy = 0.0;
    int rows = 0;
    std::vector<std::pair<int, int>> profileRows;       ///< each profile's north and south grid rows
    std::optional<double> cornerSouthY, cornerNorthY;   ///< nothing: a corner cannot be read
    std::optional<double> cornerWestX;                  ///< the corners' least x; nothing: one cannot be read
};

/// The tile from the file's bytes with every log line; nothing (after a log line)
/// when the header cannot be read, a count is not positive or the profiles do not
/// fit the file. With `ground`, also where the tile lies.
std::optional<IntGrid> parseUsgsDem(std::span<const std::uint8_t> bytes, Reporter& reporter,
                                    UsgsDemGround* ground = nullptr);
/// Reads a file; "Could not open input .dem file" and nothing when it cannot be opened.
std::optional<IntGrid> readUsgsDem(const std::string& path, Reporter& reporter, UsgsDemGround* ground = nullptr);
