#include "formats/Shapefile.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "app/core/TextNumbers.h"
#include "formats/FileIo.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <new>
#include <string_view>

namespace {

constexpr std::int32_t kFileCode = 9994;
constexpr std::int32_t kPolyline = 3;
constexpr std::size_t kHeaderBytes = 100;
constexpr std::size_t kRecordHeaderBytes = 8;
constexpr std::size_t kPolylineFixedBytes = 44;   // shape type, bounding box, numParts, numPoints
constexpr double kFarAway = 1e9;                   // cells: beyond any grid that is drawn

struct MainHeader {
    std::int32_t fileCode = 0, fileLength = 0, shapeType = 0;
};

std::optional<MainHeader> readMainHeader(const fileio::Bytes& file)
{
    if (!file.has(0, 36)) return std::nullopt;
    return MainHeader{*file.be32(0), *file.be32(24), *file.le32(32)};
}

bool refuse(Reporter& reporter, const char* line)
{
    reporter.log(line);
    reporter.log(shapefile::kExitingLine);
    return false;
}

/// Checks a header's file code and shape type, logging the refusal lines.
bool headerAccepted(const std::optional<MainHeader>& header, Reporter& reporter)
{
    if (!header || header->fileCode != kFileCode) return refuse(reporter, shapefile::kNotShapefileLine);
    if (header->shapeType != kPolyline) return refuse(reporter, shapefile::kNotPolylinesLine);
    return true;
}

/// A point of the grid's real coordinates (column, row).
struct GridPoint {
    double x, y;
};

/// Clips the segment a-b to the window [lo, hiX] x [lo, hiY] (Liang-Barsky);
/// false when nothing of it lies inside.
bool clipSegment(GridPoint& a, GridPoint& b, double lo, double hiX, double hiY)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - lo, hiX - a.x, a.y - lo, hiY - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const GridPoint start{a.x + t0 * dx, a.y + t0 * dy};
    b = {a.x + t1 * dx, a.y + t1 * dy};
    a = start;
    return true;
}

/// Draws the segment between two transformed points. Segments that stay within
/// one cell of the grid are drawn as they are (cells outside are skipped one by
/// one); a segment reaching further is first cut to that margin so that a stray
/// point far away costs no more than the grid's size.
void drawSegment(RealGrid& grid, GridPoint a, GridPoint b, double elevation)
{
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y)) return;
    const double hiX = grid.cols(), hiY = grid.rows();
    auto inside = [&](const GridPoint& p) { return p.x >= -1.0 && p.x <= hiX && p.y >= -1.0 && p.y <= hiY; };
    if (!(inside(a) && inside(b)) && !clipSegment(a, b, -1.0, hiX, hiY)) return;
    gridops::drawLine(grid, gridops::truncToInt(a.x), gridops::truncToInt(a.y), gridops::truncToInt(b.x),
                      gridops::truncToInt(b.y), elevation);
}

/// Draws one polyline record's content; false when its counts do not fit its length.
bool drawPolyline(const fileio::Bytes& shp, std::size_t content, std::uint64_t contentBytes, double xMin,
                  double yMin, double scale, double elevation, RealGrid& grid)
{
    if (contentBytes < kPolylineFixedBytes) return false;
    const std::int32_t numParts = *shp.le32(content + 36), numPoints = *shp.le32(content + 40);
    if (numParts < 0 || numPoints < 0) return false;
    const std::uint64_t needed = kPolylineFixedBytes + 4 * std::uint64_t(numParts) + 16 * std::uint64_t(numPoints);
    if (needed > contentBytes) return false;
    const std::size_t points = content + kPolylineFixedBytes + 4 * std::size_t(numParts);
    auto transformed = [&](std::int32_t k) {
        const std::size_t at = points + 16 * std::size_t(k);
        // Transformed coordinates are kept as single-precision floats; a point
        // further than kFarAway cells away is brought to that distance first.
        auto toGrid = [&](double v, double origin) { return float(std::clamp((v - origin) * scale, -kFarAway, kFarAway)); };
        return GridPoint{toGrid(*shp.leDouble(at), xMin), toGrid(*shp.leDouble(at + 8), yMin)};
    };
    for (std::int32_t k = 0; k + 1 < numPoints; ++k)
        drawSegment(grid, transformed(k), transformed(k + 1), elevation);
    return true;
}

} // namespace

std::string shapefileCompanionName(const std::string& shpPath, const std::string& extension)
{
    const std::size_t slash = shpPath.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = shpPath.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) return shpPath + "." + extension;
    return shpPath.substr(0, dot + 1) + extension;
}

ShapefileGridSize shapefileGridSize(double xMin, double yMin, double xMax, double yMax, int maxSpan)
{
    ShapefileGridSize size;
    size.rows = gridops::truncToInt(std::ceil(yMax) + 1 - yMin);
    size.columns = gridops::truncToInt(std::ceil(xMax) + 1 - xMin);
    size.scaledRows = size.rows;
    size.scaledColumns = size.columns;
    if (maxSpan > size.rows && maxSpan > size.columns) return size;
    const double scaleY = maxSpan < size.rows ? double(maxSpan) / size.rows : 1.0;
    const double scaleX = maxSpan < size.columns ? double(maxSpan) / size.columns : 1.0;
    size.scale = std::min(scaleY, scaleX);
    size.scaled = true;
    size.scaledRows = gridops::truncToInt(size.rows * size.scale + 1);
    size.scaledColumns = gridops::truncToInt(size.columns * size.scale + 1);
    return size;
}

double dbaseElevation(std::span<const std::uint8_t> bytes, std::int64_t index)
{
    const fileio::Bytes dbf(bytes);
    const auto records = dbf.le32u(4);
    const auto headerLength = dbf.le16u(8), recordLength = dbf.le16u(10);
    if (!records || !headerLength || !recordLength || index < 0 || index >= std::int64_t(*records)) return 0.0;
    // Field descriptors: 32 bytes each from byte 32 until the 0x0D terminator.
    // Values start after the record's deletion flag.
    struct Field {
        std::size_t start, length;
    };
    std::optional<Field> elevationField, secondField;
    std::size_t fieldStart = 1;
    int fieldNumber = 0;
    for (std::size_t at = 32; at + 32 <= *headerLength && dbf.has(at, 32) && dbf.u8(at) != 0x0D; at += 32) {
        const Field field{fieldStart, *dbf.u8(at + 16)};
        std::string prefix(reinterpret_cast<const char*>(&bytes[at]), 4);
        for (char& ch : prefix) ch = char(std::toupper((unsigned char)ch));
        const char type = char(*dbf.u8(at + 11));
        if (!elevationField && prefix == "ELEV" && (type == 'N' || type == 'F')) elevationField = field;
        if (++fieldNumber == 2) secondField = field;
        fieldStart += field.length;
    }
    const std::optional<Field> chosen = elevationField ? elevationField : secondField;
    if (!chosen || chosen->length == 0 || chosen->start + chosen->length > *recordLength) return 0.0;
    const std::size_t at = *headerLength + std::size_t(index) * *recordLength + chosen->start;
    if (!dbf.has(at, chosen->length)) return 0.0;
    return parseRealText(std::string_view(reinterpret_cast<const char*>(&bytes[at]), chosen->length)).value_or(0.0);
}

std::optional<RealGrid> rasteriseShapefile(std::span<const std::uint8_t> shpBytes, std::span<const std::uint8_t> shxBytes,
                                           std::span<const std::uint8_t> dbfBytes, int maxSpan, Reporter& reporter)
{
    const fileio::Bytes shp(shpBytes), shx(shxBytes), dbf(dbfBytes);
    const auto header = shp.has(0, kHeaderBytes) ? readMainHeader(shp) : std::nullopt;
    if (header) {
        reporter.log("File Code is:  " + std::to_string(header->fileCode));
        reporter.log("File Length is:  " + std::to_string(header->fileLength));
        reporter.log("Shape Type is:  " + std::to_string(header->shapeType));
    }
    if (!headerAccepted(header, reporter)) return std::nullopt;
    const double xMin = *shp.leDouble(36), yMin = *shp.leDouble(44), xMax = *shp.leDouble(52),
                 yMax = *shp.leDouble(60);
    reporter.log("xMin is:  " + formatFixed(xMin, 4));
    reporter.log("yMin is:  " + formatFixed(yMin, 4));
    reporter.log("xMax is:  " + formatFixed(xMax, 4));
    reporter.log("yMax is:  " + formatFixed(yMax, 4));
    if (!std::isfinite(xMin) || !std::isfinite(yMin) || !std::isfinite(xMax) || !std::isfinite(yMax) ||
        xMax < xMin || yMax < yMin) {
        refuse(reporter, shapefile::kNotShapefileLine);
        return std::nullopt;
    }

    const ShapefileGridSize size = shapefileGridSize(xMin, yMin, xMax, yMax, maxSpan);
    reporter.log("elevationRows is:  " + std::to_string(size.rows));
    reporter.log("elevationColumns is:  " + std::to_string(size.columns));
    if (size.scaled) {
        reporter.log("scaleY is:  " + formatReal(size.scale));
        reporter.log("scaleX is:  " + formatReal(size.scale));
        reporter.log("scaledRows is:  " + std::to_string(size.scaledRows));
        reporter.log("scaledColumns is:  " + std::to_string(size.scaledColumns));
    }
    if (size.scaledRows < 1 || size.scaledColumns < 1 ||
        std::int64_t(size.scaledRows) * size.scaledColumns > shapefile::kMaxCells) {
        reporter.log(shapefile::kGridSizeLine);
        return std::nullopt;
    }
    try {
        RealGrid grid(size.scaledRows, size.scaledColumns, 0.0);

        const auto indexHeader = readMainHeader(shx);
        if (indexHeader) {
            reporter.log("Index File Code is:  " + std::to_string(indexHeader->fileCode));
            reporter.log("Index File Length is:  " + std::to_string(indexHeader->fileLength));
            reporter.log("Index Shape Type is:  " + std::to_string(indexHeader->shapeType));
        }
        if (!headerAccepted(indexHeader, reporter)) return std::nullopt;
        const std::size_t records = shx.size() < kHeaderBytes ? 0 : (shx.size() - kHeaderBytes) / 8;
        reporter.log("Number of records is:  " + std::to_string(records));
        reporter.log("recordBytes is:  " + std::to_string(dbf.le16u(10).value_or(0)));

        std::size_t offset = kHeaderBytes;
        for (std::size_t i = 0; i < records && shp.has(offset, kRecordHeaderBytes); ++i) {
            const std::uint64_t contentBytes = 2 * std::uint64_t(*shp.be32u(offset + 4));
            const std::size_t content = offset + kRecordHeaderBytes;
            if (shp.has(content, contentBytes))   // a record running past the end is skipped
                drawPolyline(shp, content, contentBytes, xMin, yMin, size.scale, dbaseElevation(dbfBytes, i), grid);
            offset = content + contentBytes;
        }
        reporter.log("elevationRows is:  " + std::to_string(grid.rows()));
        reporter.log("elevationColumns is:  " + std::to_string(grid.cols()));
        return grid;
    } catch (const std::bad_alloc&) {
        reporter.log(shapefile::kGridSizeLine);
        return std::nullopt;
    }
}

std::optional<RealGrid> readShapefileContours(const std::string& shpPath, int maxSpan, Reporter& reporter)
{
    const std::string shxPath = shapefileCompanionName(shpPath, "shx");
    const std::string dbfPath = shapefileCompanionName(shpPath, "dbf");
    reporter.log("indexFileBuffer is: " + shxPath);
    reporter.log("dbfFileBuffer is: " + dbfPath);
    const auto shp = fileio::readInputFile(shpPath, reporter);
    const auto shx = fileio::readInputFile(shxPath, reporter);
    const auto dbf = fileio::readInputFile(dbfPath, reporter);
    if (!shp || !shx || !dbf) return std::nullopt;
    return rasteriseShapefile(*shp, *shx, *dbf, maxSpan, reporter);
}
