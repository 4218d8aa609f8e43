#include "formats/Shapefile.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <set>

namespace {

using Lines = std::vector<std::string>;

struct Polyline { std::vector<std::int32_t> parts; std::vector<std::pair<double, double>> points; };
struct Triplet { std::vector<std::uint8_t> shp, shx, dbf; };

/// v as n bytes, little-endian or (big) big-endian.
void put(std::vector<std::uint8_t>& out, std::uint64_t v, int n, bool big = false)
{
    for (int i = 0; i < n; ++i) out.push_back(std::uint8_t(v >> 8 * (big ? n - 1 - i : i)));
}
void be32(std::vector<std::uint8_t>& out, std::int32_t v) { put(out, std::uint32_t(v), 4, true); }
void le32(std::vector<std::uint8_t>& out, std::int32_t v) { put(out, std::uint32_t(v), 4); }
void leDouble(std::vector<std::uint8_t>& out, double d) { put(out, std::bit_cast<std::uint64_t>(d), 8); }

/// The 100-byte main header of a .shp or .shx file, then its body.
std::vector<std::uint8_t> withHeader(std::int32_t fileCode, std::int32_t shapeType, const double (&box)[4],
                                     const std::vector<std::uint8_t>& body)
{
    std::vector<std::uint8_t> h;
    be32(h, fileCode);
    h.resize(24, 0);
    be32(h, std::int32_t((100 + body.size()) / 2)), le32(h, 1000), le32(h, shapeType);
    for (double v : box) leDouble(h, v);
    h.resize(100, 0);
    h.insert(h.end(), body.begin(), body.end());
    return h;
}

/// dBASE table with the fields ID (N 8) and ELEV (N 24) as written by contouring tools,
/// or (otherLayout) ID, HEIGHT, CODE with a 129-byte header.
std::vector<std::uint8_t> dbaseTable(const std::vector<std::string>& elevations, bool otherLayout = false)
{
    using Field = std::tuple<std::string, char, std::size_t>;   // name, type, length
    const std::vector<Field> fields = otherLayout
        ? std::vector<Field>{{"ID", 'N', 6}, {"HEIGHT", 'N', 12}, {"CODE", 'C', 4}}
        : std::vector<Field>{{"ID", 'N', 8}, {"ELEV", 'N', 24}};
    std::size_t recordLength = 1;
    for (const auto& [name, type, length] : fields) recordLength += length;
    std::vector<std::uint8_t> d{3, 0, 0, 0};
    put(d, elevations.size(), 4), put(d, 33 + 32 * fields.size(), 2), put(d, recordLength, 2);
    d.resize(32, 0);
    for (const auto& [name, type, length] : fields) {
        d.insert(d.end(), name.begin(), name.end());
        d.resize(d.size() + 11 - name.size(), 0);
        d.insert(d.end(), {std::uint8_t(type), 0, 0, 0, 0, std::uint8_t(length)});   // the length at offset 16
        d.resize(d.size() + 15, 0);
    }
    d.push_back(0x0D);
    for (std::size_t i = 0; i < elevations.size(); ++i) {
        d.push_back(' ');
        for (const auto& [name, type, length] : fields) {
            const std::string value = type == 'C' ? "AB" : name == "ID" ? std::to_string(i) : elevations[i];
            d.resize(d.size() + length - value.size(), ' ');
            d.insert(d.end(), value.begin(), value.end());
        }
    }
    d.push_back(0x1A);
    return d;
}

Triplet contourFiles(const double (&box)[4], const std::vector<Polyline>& lines,
                     const std::vector<std::string>& elevations, std::int32_t fileCode = 9994,
                     std::int32_t shapeType = 3)
{
    std::vector<std::uint8_t> records, index;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::uint8_t> content;
        le32(content, 3);
        content.resize(content.size() + 32, 0);   // the record's box
        le32(content, std::int32_t(lines[i].parts.size())), le32(content, std::int32_t(lines[i].points.size()));
        for (std::int32_t p : lines[i].parts) le32(content, p);
        for (auto [x, y] : lines[i].points) leDouble(content, x), leDouble(content, y);
        be32(index, std::int32_t((100 + records.size()) / 2)), be32(index, std::int32_t(content.size() / 2));
        be32(records, std::int32_t(i + 1)), be32(records, std::int32_t(content.size() / 2));
        records.insert(records.end(), content.begin(), content.end());
    }
    return {withHeader(fileCode, shapeType, box, records), withHeader(fileCode, shapeType, box, index),
            dbaseTable(elevations)};
}

std::optional<RealGrid> rasterise(const Triplet& t, RecordingReporter& rec, int maxSpan = 1200)
{
    return rasteriseShapefile(t.shp, t.shx, t.dbf, maxSpan, rec);
}

Polyline line(std::vector<std::pair<double, double>> points) { return {{0}, std::move(points)}; }

const double kBox[4] = {0, 0, 10, 5};   // xMin, yMin, xMax, yMax: 6 rows x 11 columns

} // namespace

TEST(ShapefileRaster, PartsOverwritesUnparsableElevationsScalingAndTheSecondFieldLayout)
{
    Polyline twoParts{{0, 2}, {{0, 0}, {2, 0}, {2, 4}, {4, 4}}};
    const Triplet t = contourFiles(kBox, {twoParts, line({{0, 2}, {10, 2}}), line({{8, 0}, {8, 5}})},
                                {"10.5", "20", "not a number"});
    RecordingReporter rec;
    const auto grid = rasterise(t, rec);
    ASSERT_TRUE(grid);
    // (1, 2): the extra segment joining the two parts; (2, 2): the later record overwrites where lines cross;
    // column 8: drawn with elevation 0.0, unknown again.
    EXPECT_EQ(cellsAt(*grid, {{0, 1}, {1, 2}, {4, 3}, {2, 2}, {2, 9}, {2, 8}, {4, 8}}),
              (std::vector<double>{10.5, 10.5, 10.5, 20, 20, 0, 0}));

    // 3001 x 1501 before scaling: s = 1200 / 3001, grid 1201 x 601.
    const double box[4] = {0, 0, 1500, 3000};
    Triplet scaled = contourFiles(box, {line({{0, 0}, {1500, 3000}}), line({{750, 1500}, {750, 1500.5}})}, {"1", "2"});
    scaled.dbf = dbaseTable({"111.5", "  222"}, true);   // ID, HEIGHT, CODE: the second field holds the elevation
    const auto big = rasterise(scaled, rec);
    ASSERT_TRUE(big);
    // (3000 s, 1500 s) = (1199.6, 599.8) truncated.
    EXPECT_EQ(std::tuple(big->rows(), big->cols(), cellsAt(*big, {{0, 0}, {1199, 599}, {599, 299}})),
              std::tuple(1201, 601, std::vector<double>{111.5, 111.5, 222}));
    EXPECT_EQ(std::pair(dbaseElevation(scaled.dbf, 2), dbaseElevation({}, 0)), std::pair(0.0, 0.0));   // no such record
}

TEST(ShapefileRaster, RefusalsKeepTheirLastLines)
{
    const Polyline l = line({{0, 0}, {1, 1}});
    auto changed = [&](auto change) { Triplet t = contourFiles(kBox, {l}, {"1"}); change(t); return t; };
    const Lines notShape = {shapefile::kNotShapefileLine, shapefile::kExitingLine},
                notLines = {shapefile::kNotPolylinesLine, shapefile::kExitingLine}, size = {shapefile::kGridSizeLine};
    const std::tuple<const char*, Triplet, Lines, int> cases[] = {   // name, files, last lines, MAXSPAN
        {"file code", contourFiles(kBox, {l}, {"1"}, 9995), notShape, 1200},
        {"shape type", contourFiles(kBox, {l}, {"1"}, 9994, 5), notLines, 1200},
        {"inverted box", contourFiles({10, 0, 0, 5}, {l}, {"1"}), notShape, 1200},
        {"NaN box", contourFiles({0, std::nan(""), 10, 5}, {l}, {"1"}), notShape, 1200},
        {"index file code", changed([](Triplet& t) { t.shx[3] = 0; }), notShape, 1200},
        {"index shape type", changed([](Triplet& t) { t.shx[32] = 8; }), notLines, 1200},
        {"main header cut", changed([](Triplet& t) { t.shp.resize(99); }), notShape, 1200},
        {"index header cut", changed([](Triplet& t) { t.shx.resize(35); }), notShape, 1200},
        {"negative MAXSPAN", contourFiles(kBox, {l}, {"1"}), size, -5},
        {"grid beyond memory", contourFiles({0, 0, 1e9, 1e9}, {l}, {"1"}), size, 2'000'000'000},
    };
    for (const auto& [name, t, last, maxSpan] : cases) {
        RecordingReporter rec;
        EXPECT_FALSE(rasterise(t, rec, maxSpan)) << name;
        EXPECT_EQ(Lines(rec.lines.end() - std::ptrdiff_t(std::min(last.size(), rec.lines.size())), rec.lines.end()),
                  last)
            << name;
    }
}

TEST(ShapefileFiles, CompanionNamesAndOneLineDrawn)
{
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "maps.v2");
    const std::string base = (dir.path() / "maps.v2" / "lines").string();
    const Triplet t = contourFiles(kBox, {line({{0, 0}, {10, 5}})}, {"100.000000000000000"});
    for (auto [ext, bytes] : {std::pair{".shp", &t.shp}, {".shx", &t.shx}, {".dbf", &t.dbf}})
        writeBytes(base + ext, *bytes);
    RecordingReporter rec;
    const auto grid = readShapefileContours(base + ".shp", 1200, rec);
    RealGrid expected(6, 11);   // row 0 = yMin (south)
    for (int x = 0; x <= 10; ++x) expected((x + 1) / 2, x) = 100.0;
    EXPECT_EQ(grid, expected);
    EXPECT_TRUE(rec.hasSequence({"indexFileBuffer is: " + base + ".shx", "dbfFileBuffer is: " + base + ".dbf"}));

    std::filesystem::remove(base + ".dbf");
    RecordingReporter missing;
    EXPECT_FALSE(readShapefileContours(base + ".shp", 1200, missing));
    EXPECT_TRUE(missing.hasSequence({"could not open input file", " "}) && missing.lines.back() == " ");
}

TEST(ShapefileFiles, RealContoursFromAContouringTool)
{
    // The first 12 lines of 10 m contours of a real 30 m DEM (UTM zone 12), field ELEV.
    RecordingReporter rec;
    const auto grid = readShapefileContours(testData("storml_contours_12.shp"), 1200, rec);
    ASSERT_TRUE(grid);
    std::set<double> seen(grid->cells().begin(), grid->cells().end());
    seen.erase(0.0);
    // 3211 x 4291 before scaling; (868, 725): the first point of the last (closed) line.
    EXPECT_EQ(std::tuple(grid->rows(), grid->cols(), rec.has("Number of records is:  12"), (*grid)(868, 725), seen),
              std::tuple(898, 1201, true, 2930.0,
                         std::set<double>{2500, 2770, 2780, 2880, 2490, 2790, 2800, 2810, 2530, 2820, 2830, 2930}));
}
