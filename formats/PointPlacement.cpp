#include "formats/PointPlacement.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"

#include <algorithm>
#include <string>

namespace {

/// trunc(scale * v + shift), kept inside 0 .. count-1 against rounding at the extent's ends.
int placeIndex(double v, double scale, double shift, int count)
{
    return std::clamp(gridops::truncToInt(scale * v + shift), 0, count - 1);
}

} // namespace

std::optional<RealGrid> placePoints(const std::vector<PointXYZ>& points, int rows, int columns, Reporter& reporter)
{
    reporter.log("number of points is:  " + std::to_string(points.size()));
    reporter.log("  ");
    if (points.empty()) return std::nullopt;

    double minColumns = points[0].x, maxColumns = points[0].x, minRows = points[0].y, maxRows = points[0].y;
    for (const PointXYZ& p : points) {
        minColumns = std::min(minColumns, p.x);
        maxColumns = std::max(maxColumns, p.x);
        minRows = std::min(minRows, p.y);
        maxRows = std::max(maxRows, p.y);
    }
    maxColumns += 1.0;
    maxRows += 1.0;
    reporter.log("minColumns is:  " + formatReal(minColumns));
    reporter.log("minRows is:  " + formatReal(minRows));
    reporter.log("maxColumns is:  " + formatReal(maxColumns));
    reporter.log("maxRows is:  " + formatReal(maxRows));
    reporter.log("rows is:  " + std::to_string(rows));
    reporter.log("columns is:  " + std::to_string(columns));

    RealGrid grid(rows, columns, 0.0);
    if (grid.empty()) return grid;
    // An extent so large that the + 1 is lost in rounding may be empty: everything goes to index 0.
    const double xRange = maxColumns - minColumns, yRange = maxRows - minRows;
    // x gives the row (as index files do), scaled by the row count; y gives the column, scaled by
    // the column count, so every point lands inside the grid whatever its shape.
    const double xScale = xRange > 0.0 ? rows / xRange : 0.0, xShift = -minColumns * xScale;
    const double yScale = yRange > 0.0 ? columns / yRange : 0.0, yShift = -minRows * yScale;
    for (const PointXYZ& p : points)
        grid(placeIndex(p.x, xScale, xShift, rows), placeIndex(p.y, yScale, yShift, columns)) = p.z;
    return grid;
}
