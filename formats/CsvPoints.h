// Comma-separated points (".csv", ".CSV") and other x y z text.
//
// One record a line (LF or CR LF), its fields separated by commas, semicolons,
// bars, blanks or tabs (a run of them counts as one), a field in double quotes
// taken without them. Each value is a decimal number read in single precision.
// A first line that is not all numbers is a header: where it names columns X, Y
// and Z (any case) those columns are read, otherwise the first three. Blank
// lines are skipped; reading stops at the end of the file or at the first line
// whose x, y or z is not a finite number (a cut-off last record adds no point).
#pragma once

#include "app/core/Grid.h"
#include "formats/PointPlacement.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Reporter;

struct CsvPointsRead {
    std::vector<PointXYZ> points;
    std::string problem;   ///< with no point: why, as one log line
};
CsvPointsRead readCsvText(std::string_view text);
/// The complete records of the text.
std::vector<PointXYZ> parseCsvPoints(std::string_view text);

/// Reads the file (the input opener's lines), logs the placement lines and returns the
/// rows x columns grid; nothing when the file cannot be opened or holds no point (after
/// a line saying why).
std::optional<RealGrid> readCsvPoints(const std::string& path, int rows, int columns, Reporter& reporter);
