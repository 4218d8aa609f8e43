// The CSV and LAS point readers and the placement of their points on the grid.
#include "formats/CsvPoints.h"
#include "formats/LasPoints.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

namespace {

std::vector<std::array<double, 3>> asTriples(const std::vector<PointXYZ>& points)
{
    std::vector<std::array<double, 3>> out;
    for (const PointXYZ& p : points) out.push_back({p.x, p.y, p.z});
    return out;
}

struct LasFile {
    std::vector<std::array<std::int32_t, 3>> points = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    std::uint16_t recordLength = 20;
    std::uint32_t offset = 227;
    std::optional<std::uint32_t> count;   ///< the header's count; the number of points when unset
    double scale[3] = {0.5, 0.25, 2.0};
    const char* signature = "LASF";
    std::uint8_t major = 1, minor = 2;
    std::uint16_t headerSize = 227;

    std::vector<std::uint8_t> bytes() const
    {
        std::vector<std::uint8_t> b(offset, 0);
        auto put = [&](std::size_t at, const void* p, std::size_t n) {
            if (b.size() < at + n) b.resize(at + n, 0);
            std::memcpy(&b[at], p, n);
        };
        put(0, signature, 4), put(24, &major, 1), put(25, &minor, 1);
        put(94, &headerSize, 2), put(96, &offset, 4), put(105, &recordLength, 2);
        const std::uint32_t n = count.value_or(std::uint32_t(points.size()));
        put(107, &n, 4);
        for (int i = 0; i < 3; ++i) put(131 + 8 * std::size_t(i), &scale[i], 8);
        b.resize(std::max<std::size_t>(b.size(), offset), 0);
        for (const auto& p : points) {
            const std::size_t at = b.size();
            b.resize(at + recordLength, 0xEE);
            std::memcpy(&b[at], p.data(), 12);
        }
        return b;
    }
};

} // namespace

TEST(CsvPoints, ReadsCompleteRecordsSeparatedByOneCharacter)
{
    struct Case { const char* name; std::string text; std::vector<std::array<double, 3>> points; };
    const Case cases[] = {
        {"commas", "1,2,3\n4,5,6\n", {{1, 2, 3}, {4, 5, 6}}},
        {"CR LF and blank lines", "1,2,3\r\n\r\n4,5,6\r\n", {{1, 2, 3}, {4, 5, 6}}},
        {"blanks and tabs after the separators", "1, 2, 3\n-4.5,  +5e1,\t6", {{1, 2, 3}, {-4.5, 50, 6}}},
        {"tab-separated, extra columns", "\t4\t5\t6\t7\n", {{4, 5, 6}}},
        {"cut-off last record", "1,2,3\n4,5", {{1, 2, 3}}},
        {"header naming the columns", "\"i\",\"z\",\"Y\",\"x\"\r\n9,3,2,1\r\n8,6,5,4\r\n", {{1, 2, 3}, {4, 5, 6}}},
        {"only one header line", "x,y,z\nx,y,z\n1,2,3\n", {}},
        {"text in a record", "1,2,3\n4,five,6\n7,8,9\n", {{1, 2, 3}}},
        {"not finite", "1,2,3\nnan,1,1\n", {{1, 2, 3}}},
        {"beyond single precision", "1e39,1,1", {}},
        {"single precision", "4500000.7,0.1,3", {{4500000.5, double(0.1f), 3}}},
    };
    for (const Case& c : cases) EXPECT_EQ(asTriples(parseCsvPoints(c.text)), c.points) << c.name;
}

// Real files: the count, the first and the last point as the files' text gives them.
TEST(CsvPoints, RealTextFiles)
{
    const std::tuple<const char*, std::size_t, std::array<double, 3>, std::array<double, 3>> cases[] = {
        {"grid.csv", 400, {440750, 3751290, 107}, {441890, 3750150, 107}},
        {"utm17_2.txt", 10, {289814.15f, 4320978.61f, 170.76f}, {289818.50f, 4320980.59f, 170.58f}},     // "X  Y  Z"
        {"crlf_test.txt", 10, {289814.15f, 4320978.61f, 170.76f}, {289818.50f, 4320980.59f, 170.58f}},   // CR LF
        {"autzen-point-format-3.txt", 106, {636083.30f, 849398.65f, 407.35f}, {637857.41f, 853213.98f, 424.87f}},
        {"grid.txt", 32, {0, 0, 0}, {4.3f, 4.5f, 8.9f}},   // header, blank line, ", " separators
    };
    for (const auto& [file, count, first, last] : cases) {
        const auto points = asTriples(parseCsvPoints(readText(testData(file))));
        ASSERT_EQ(points.size(), count) << file;
        EXPECT_EQ(std::pair(points.front(), points.back()), std::pair(first, last)) << file;
    }
}

TEST(CsvPoints, PlacesXOnTheRowsAndYOnTheColumnsOrGivesNoGridWithoutPoints)
{
    TempDir dir;
    // x spans 10 .. 19 (+1), y spans 100 .. 102 (+1) on a 3 x 5 grid.
    writeText(dir.file("p.csv"), "10,100,7\n19,102,8\n14.5,101,9\n10,100,-1\n");
    RecordingReporter rec;
    const auto grid = readCsvPoints(dir.file("p.csv"), 3, 5, rec);
    ASSERT_TRUE(grid);
    // -1 overwrites 7; 8 at row trunc(9 * 3 / 10) = 2 (from x), column trunc(2 * 5 / 3) = 3 (from y);
    // 9 at row trunc(4.5 * 3 / 10) = 1, column trunc(1 * 5 / 3) = 1.
    EXPECT_EQ(*grid, gridOf<RealGrid>({{-1, 0, 0, 0, 0}, {0, 9, 0, 0, 0}, {0, 0, 0, 8, 0}}));
    const std::pair<const char*, const char*> cases[] = {
        {"", "No points read: the file holds no line of text."},
        {"X,Y,Z\r\n", "No points read: the file holds only a header line."},
        {"\"X\",\"Y\",\"Z\"\n1,2\n", "No points read: line 2 holds no number in column 3."},
    };
    for (const auto& [text, why] : cases) {
        writeText(dir.file("none.csv"), text);
        RecordingReporter none;
        EXPECT_FALSE(readCsvPoints(dir.file("none.csv"), 10, 10, none)) << text;
        EXPECT_EQ(none.lines.back(), why) << text;
    }
}

TEST(LasPoints, ScalesTheIntegersAndPlacesThePoints)
{
    TempDir dir;
    LasFile f;
    f.points = {{10, 40, 5}, {-6, 8, 100}, {2, 0, -3}};
    writeBytes(dir.file("a.las"), f.bytes());
    RecordingReporter rec;
    const auto grid = readLasPoints(dir.file("a.las"), 4, 4, rec);
    ASSERT_TRUE(grid);
    EXPECT_EQ(std::tuple(rec.notices.size(), rec.progressMaximum, rec.progressPosition, rec.progressVisible),
              std::tuple(0u, 3, 3, false));
    // (5, 10, 10): row trunc(8 * 4 / 9) = 3, column trunc(10 * 4 / 11) = 3; (-3, 2, 200): row 0, column
    // trunc(2 * 4 / 11) = 0; (1, 0, -6): row trunc(4 * 4 / 9) = 1, column 0.
    EXPECT_EQ(*grid, gridOf<RealGrid>({{200, 0, 0, 0}, {-6, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 10}}));
}

// Real files: the points' count and x offset, every height between the header's lowest and highest.
TEST(LasPoints, RealFiles)
{
    const std::tuple<const char*, std::string, std::string, double, double> cases[] = {
        // LAS 1.4: the legacy count is 0, the 64-bit count says 1000; an extended VLR follows the points.
        {"1_4_w_evlr.las", "number of points is:  1000", "minColumns is:  1694038.4456374517", 5592.75, 5599.07},
        // Offsets on every axis (z: 627.53): heights 627.53 .. 656.13, not -0.0 .. 28.6.
        {"sample_c_thin.las", "number of points is:  2732", "minColumns is:  674521.9200134277", 627.53, 656.13},
    };
    for (const auto& [file, count, x, lowest, highest] : cases) {
        RecordingReporter rec;
        const auto grid = readLasPoints(testData(file), 50, 60, rec);
        ASSERT_TRUE(grid && grid->rows() == 50 && grid->cols() == 60 && rec.hasSequence({count, "  ", x})) << file;
        for (double z : grid->cells())
            if (z != 0.0) { ASSERT_TRUE(z >= lowest - 0.005 && z <= highest + 0.005) << file << " " << z; }
    }
}

TEST(LasPoints, MalformedFiles)
{
    auto with = [](auto change) { LasFile f; change(f); return f.bytes(); };
    auto cut = [](std::size_t n) { auto b = LasFile{}.bytes(); b.resize(n); return b; };
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case { const char* name; std::vector<std::uint8_t> bytes; bool refused; std::size_t points = 0; };
    std::vector<std::uint8_t> offsetBeyond = LasFile{}.bytes();
    const std::uint32_t beyond = std::uint32_t(offsetBeyond.size() + 1);
    std::memcpy(&offsetBeyond[96], &beyond, 4);
    const Case cases[] = {
        {"empty file", {}, true},
        {"wrong signature", with([](LasFile& f) { f.signature = "LASX"; }), true},
        {"header cut short", cut(150), true},
        {"record length below 12", with([](LasFile& f) { f.recordLength = 11; }), true},
        {"point offset beyond the file", offsetBeyond, true},
        {"scale factor not a number", with([](LasFile& f) { f.scale[1] = nan; }), true},
        {"count beyond the file", with([](LasFile& f) { f.count = 4000000000u; }), false, 3},
        {"last record cut short", cut(227 + 3 * 20 - 5), false, 2},
        {"LAS 1.4 header too short for its count",
         with([](LasFile& f) { f.count = 0; f.minor = 4; f.headerSize = 227; }), false, 0},
        {"coordinates beyond the doubles",
         with([](LasFile& f) { f.scale[0] = 1e300; f.points[1][0] = 2000000000; }), false, 2},
    };
    for (const Case& c : cases) {
        RecordingReporter rec;
        const auto points = parseLasPoints(c.bytes, rec);
        using Notices = decltype(rec.notices);
        EXPECT_EQ(std::tuple(points ? std::optional(points->size()) : std::nullopt, rec.notices),
                  std::tuple(c.refused ? std::nullopt : std::optional(c.points),
                             c.refused ? Notices{{"GRIDMEND", "Not a legitamate LAS format LIDAR file"}} : Notices{}))
            << c.name;
    }
}
