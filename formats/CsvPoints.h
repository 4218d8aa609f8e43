// Comma-separated points (".csv", ".CSV").
//
// Records x, y, z, each a decimal number read in single precision, the three
// separated by exactly one character each (normally a comma); white space,
// line ends included, before each value is skipped. Reading stops at the end
// of the file or at the first value that is not a finite number; only complete
// records count (a trailing line end or a cut-off record adds no point).
#pragma once

#include "app/Grid.h"
#include "formats/PointPlacement.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Reporter;

/// The complete records of the text.
std::vector<PointXYZ> parseCsvPoints(std::string_view text);

/// Reads the file (the input opener's lines), logs the placement lines and returns the
/// rows x columns grid; nothing when the file cannot be opened or holds no point.
std::optional<RealGrid> readCsvPoints(const std::string& path, int rows, int columns, Reporter& reporter);
