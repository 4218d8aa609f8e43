#include "formats/IndexFile.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "formats/FileIo.h"
#include "formats/NumberScan.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

struct Point {
    std::int64_t x, y;
    std::int32_t z;
};

/// Every complete record, each value read as a 32-bit float and truncated toward zero.
std::vector<Point> readPoints(std::string_view text)
{
    std::vector<Point> points;
    NumberScan scan(text);
    for (;;) {
        auto x = scan.nextFloat();
        if (!x) break;
        auto y = scan.nextFloat();
        if (!y) break;
        auto z = scan.nextFloat();
        if (!z) break;
        points.push_back({gridops::truncToInt(*x), gridops::truncToInt(*y), gridops::truncToInt(*z)});
    }
    return points;
}

void logValue(Reporter& reporter, const char* label, std::int64_t v)
{
    reporter.log(std::string(label) + std::to_string(v));
}

} // namespace

std::optional<IntGrid> parseIndexFile(std::string_view text, Reporter& reporter)
{
    std::vector<Point> points = readPoints(text);
    logValue(reporter, "number of points is:  ", std::int64_t(points.size()));
    reporter.log("  ");
    if (points.empty()) {
        reporter.log(kIndexFileNoPointsLine);
        return std::nullopt;
    }

    std::int64_t minRows = points[0].x, maxX = points[0].x, minColumns = points[0].y, maxY = points[0].y;
    for (const Point& p : points) {
        minRows = std::min(minRows, p.x);
        maxX = std::max(maxX, p.x);
        minColumns = std::min(minColumns, p.y);
        maxY = std::max(maxY, p.y);
    }
    std::int64_t rows = maxX + 1, columns = maxY + 1;
    logValue(reporter, "minColumns is:  ", minColumns);
    logValue(reporter, "minRows is:  ", minRows);
    logValue(reporter, "rows is:  ", rows);
    logValue(reporter, "columns is:  ", columns);
    logValue(reporter, "minRows is:  ", minRows);
    logValue(reporter, "minColumns is:  ", minColumns);

    for (Point& p : points) {
        p.x -= minRows;
        p.y -= minColumns;
    }
    rows -= minRows;
    columns -= minColumns;
    logValue(reporter, "rows is:  ", rows);
    logValue(reporter, "columns is:  ", columns);

    if (rows > kIndexFileMaxExtent || columns > kIndexFileMaxExtent) {
        for (const char* line : {" ", " Large file detected.", " rows or columns > 1200",
                                 " This input file is probably too large to solve in a reasonable amount of time.",
                                 " GRIDMEND will scale your input file so that it is smaller.",
                                 " The compression may cause data loss."})
            reporter.log(line);
        const double scaleX = double(kIndexFileMaxExtent) / double(rows);
        const double scaleY = double(kIndexFileMaxExtent) / double(columns);
        reporter.log("scaleX is:  " + formatReal(scaleX));
        reporter.log("scaleY is:  " + formatReal(scaleY));
        maxX = maxY = 0;
        for (Point& p : points) {
            p.x = gridops::truncToInt(double(p.x) * scaleX);
            p.y = gridops::truncToInt(double(p.y) * scaleY);
            maxX = std::max(maxX, p.x);
            maxY = std::max(maxY, p.y);
        }
        rows = maxX + 1;
        columns = maxY + 1;
        logValue(reporter, "rows is:  ", rows);
        logValue(reporter, "columns is:  ", columns);
    }

    IntGrid grid(int(rows), int(columns), 255);
    for (const Point& p : points) {
        const std::int32_t z = p.z == 0 ? 255 : p.z;
        if (z != 255) grid(int(p.x), int(p.y)) = z;
    }
    return grid;
}

std::optional<IntGrid> readIndexFile(const std::string& path, Reporter& reporter)
{
    auto bytes = fileio::readInputFile(path, reporter);
    if (!bytes) return std::nullopt;
    return parseIndexFile(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), reporter);
}
