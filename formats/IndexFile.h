// Index files (".ind", ".ort", ".ORT"): records of three decimal numbers
// x y z separated by white space, one posting each.
//
// Method: each value is read as a 32-bit float and truncated toward zero; x is
// the row and y the column of the posting, z its elevation (0 and 255 mean no
// elevation). The extent is shifted so the smallest x and y become 0; an
// extent of more than 1201 rows or columns is rescaled onto at most 1201 x 1201
// (both axes, the shorter one stretched). The result is a contour grid, north
// row first, holding 255 where no posting landed; a later posting at the same
// cell overwrites an earlier one.
// Only complete records count (a trailing line end adds nothing) and reading
// stops at the first text that is not a number.
#pragma once

#include "app/core/Grid.h"

#include <optional>
#include <string>
#include <string_view>

class Reporter;

/// The largest extent kept without rescaling.
inline constexpr int kIndexFileMaxExtent = 1201;

/// Reads an index file and rasterises it (the input opener's lines, then the counts and extents).
/// Nothing when the file cannot be opened or holds no complete record.
std::optional<IntGrid> readIndexFile(const std::string& path, Reporter& reporter);
/// The same from text in memory (the lines after the opener's).
std::optional<IntGrid> parseIndexFile(std::string_view text, Reporter& reporter);

inline constexpr const char* kIndexFileNoPointsLine = "The index file holds no complete x y z record.";
