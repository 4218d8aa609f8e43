// LAS lidar points (".las", ".LAS"): the little-endian ASPRS public header
// block and its point records.
//
// Header fields used (byte offsets): signature "LASF" (0), offset to the point
// data (96, 4 bytes), point data format (104), record length (105, 2 bytes),
// number of point records (107, 4 bytes; for LAS 1.4 files whose legacy count
// is 0, the 64-bit count at 247), X, Y and Z scale factors (131, 139, 147, 64-bit
// floats) and offsets (155, 163, 171, 64-bit floats). Each record contributes its
// first twelve bytes: X, Y, Z as 32-bit integers; a coordinate is its integer
// times its scale factor plus its offset.
//
// The header count is never trusted: reading stops at the end of the file.
// A file without the signature, with a header too short for these fields, a
// record length below 12, a point offset beyond the end of the file or a scale
// factor or offset that is not a finite number is not a LAS file this program can read.
#pragma once

#include "app/core/Grid.h"
#include "formats/PointPlacement.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class Reporter;

/// The points of a LAS file in memory, after the header's log lines; nothing, after the
/// notice "Not a legitamate LAS format LIDAR file", when it cannot be read as one.
/// Advances the progress bar once per point.
std::optional<std::vector<PointXYZ>> parseLasPoints(std::span<const std::uint8_t> bytes, Reporter& reporter);

/// Reads the file (the input opener's lines), logs the header and placement lines and
/// returns the rows x columns grid; nothing for an unreadable file or one without points.
std::optional<RealGrid> readLasPoints(const std::string& path, int rows, int columns, Reporter& reporter);

inline constexpr const char* kNotLasCaption = "GRIDMEND";
inline constexpr const char* kNotLasMessage = "Not a legitamate LAS format LIDAR file";
