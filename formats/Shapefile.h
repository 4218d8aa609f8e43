// Shapefile contours: a polyline shapefile triplet (".shp" geometry, ".shx"
// index, ".dbf" attributes) drawn into a contour grid for the interpolation.
//
// The header's bounding box gives the grid: rows = trunc(ceil(yMax) + 1 - yMin),
// columns = trunc(ceil(xMax) + 1 - xMin), scaled down so that neither exceeds
// MAXSPAN. Every polyline is drawn with the program's Bresenham line through all
// of its points (across part boundaries) with the record's elevation from the
// ".dbf"; later records overwrite earlier ones, untouched cells stay 0.0
// (unknown). Row 0 is yMin (south), the engine's orientation. Only polylines
// (shape type 3) are accepted; a file that is not one is abandoned with its two
// log lines and nothing is returned.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

class Reporter;

namespace shapefile {
inline constexpr const char* kNotShapefileLine = "This does not look like a proper .shp file.";
inline constexpr const char* kNotPolylinesLine = "Data type is not polylines.";
inline constexpr const char* kExitingLine = "Exiting.";
inline constexpr const char* kGridSizeLine = "The shapefile grid size is out of range (check MAXSPAN): nothing drawn.";
/// Largest contour grid drawn (cells); a bigger one is refused before allocation.
inline constexpr std::int64_t kMaxCells = 100'000'000;
} // namespace shapefile

/// The companion file name: the ".shp" path with the extension of its file name
/// (after the last "." of the name, not of a directory) replaced by `extension`
/// ("shx", "dbf"); a name without a "." gets "." and the extension appended.
std::string shapefileCompanionName(const std::string& shpPath, const std::string& extension);

/// The grid size and scale for a bounding box and MAXSPAN.
struct ShapefileGridSize {
    int rows = 0, columns = 0;            ///< before scaling
    int scaledRows = 0, scaledColumns = 0;
    double scale = 1.0;
    bool scaled = false;                  ///< MAXSPAN did not exceed both sizes
};
ShapefileGridSize shapefileGridSize(double xMin, double yMin, double xMax, double yMax, int maxSpan);

/// Elevation of record `index` from a dBASE table: the numeric field whose name
/// begins with "ELEV" (any case), otherwise the second field of the record; 0.0
/// when the record, the field or its number is missing.
double dbaseElevation(std::span<const std::uint8_t> dbf, std::int64_t index);

/// The contour grid from the three files' bytes, with every log line; nothing
/// after the two refusal lines (wrong file code, shape type or bounding box) or
/// a grid size out of range.
std::optional<RealGrid> rasteriseShapefile(std::span<const std::uint8_t> shp, std::span<const std::uint8_t> shx,
                                           std::span<const std::uint8_t> dbf, int maxSpan, Reporter& reporter);
/// Derives and logs the ".shx" and ".dbf" names, opens the three files (each with
/// the input opener's lines) and rasterises them; nothing when one cannot be opened.
std::optional<RealGrid> readShapefileContours(const std::string& shpPath, int maxSpan, Reporter& reporter);
