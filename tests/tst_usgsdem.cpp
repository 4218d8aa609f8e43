#include "formats/UsgsDemReader.h"
#include "formats/UsgsDemTokens.h"
#include "formats/UsgsDemWriter.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace {

using Lines = std::vector<std::string>;

UsgsDemGeoreference georeference(const std::string& datum = "NAD-83")
{
    return {datum, 500000.0, 4000000.0, 5, 30.0, 2, 2, 1.0f};
}

/// Characters first..last (1-based, inclusive) of a line.
std::string columns(const std::string& line, std::size_t first, std::size_t last)
{
    return line.substr(first - 1, last - first + 1);
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

std::optional<IntGrid> parse(const std::string& text, RecordingReporter& rec)
{
    return parseUsgsDem(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), rec);
}

/// A solution of R rows (row 0 = south) and C columns with value(r, c).
template <class F>
RealGrid solutionOf(int R, int C, F value)
{
    RealGrid g(R, C);
    for (int r = 0; r < R; ++r)
        for (int c = 0; c < C; ++c) g(r, c) = value(r, c);
    return g;
}

} // namespace

// The fields other programs read: record A's size, units, corners, range and datum; record B's header.
TEST(UsgsDemWriter, RecordsAandBandCInBlocksOf146Then170Values)
{
    const RealGrid solution = solutionOf(3, 2, [](int r, int c) { return 100.7 + r * 10 - c * 300; });
    const auto lines = splitLines(formatUsgsAsciiDem(georeference("NAS-C"), solution));
    ASSERT_EQ(lines.size(), 4u);   // A, two B records of one block each, C without a line end
    const std::string& a = lines[0];
    ASSERT_EQ(a.size(), 1024u);
    EXPECT_EQ(columns(a, 529, 546), "     2     2     4");
    EXPECT_EQ(columns(a, 547, 738), "  500000.000000000000000 4000000.000000000000000  500000.000000000000000"
                                    " 4000060.000000000000000  500030.000000000000000 4000060.000000000000000"
                                    "  500030.000000000000000 4000000.000000000000000");
    EXPECT_EQ(columns(a, 739, 786), "    -199.000000000000000     120.000000000000000");   // truncated toward zero
    EXPECT_EQ(columns(a, 881, 896), "         4 1    ");
    EXPECT_EQ(columns(lines[1], 1, 162), "     1     1     3     1" + std::string(18, ' ') + "500000" +
                                             std::string(17, ' ') + "4000000" + std::string(23, ' ') + "0" +
                                             "     100.700000000000003     120.700000000000003   100   110   120");
    EXPECT_EQ(columns(lines[2], 1, 48), "     1     2     3     1" + std::string(18, ' ') + "500030");   // 30 m east
    EXPECT_EQ(lines[3], "     0     0     0     0     0     0     0     0     0     0");
    // Record B: 146 elevations in its first block, 170 in each further one.
    for (int R : {146, 147, 316, 317}) {
        const auto blocks =
            splitLines(formatUsgsAsciiDem(georeference(), solutionOf(R, 1, [](int r, int) { return r; })));
        ASSERT_EQ(blocks.size(), R <= 146 ? 3u : 4u + (R - 147) / 170) << R;
        EXPECT_EQ(columns(blocks[1], 1015, 1020), "   145") << R;
        if (R >= 147) { EXPECT_EQ(columns(blocks[2], 1, 6), "   146") << R; }
        if (R == 316) { EXPECT_EQ(columns(blocks[2], 1015, 1020), "   315"); }
    }
}

TEST(UsgsDemWriter, EveryPostingKeepsItsPlace)
{
    RealGrid solution = solutionOf(6, 2, [](int r, int c) { return 10.0 * (r + 1) + c; });
    solution(1, 0) = 30001.0;
    solution(2, 0) = 40000.0;    // beyond 16 bits: clamped
    solution(3, 0) = -32768.0;   // a void of a height file: the format's void
    const auto lines = splitLines(formatUsgsAsciiDem(georeference(), solution));
    EXPECT_EQ(columns(lines[1], 145, 180), "    10 30001 32767-32767    50    60");
    EXPECT_EQ(columns(lines[0], 763, 786), "   40000.000000000000000");
    TempDir dir;
    RecordingReporter rec;
    EXPECT_TRUE(writeUsgsAsciiDem(dir.file("c.dem"), georeference(), solution, rec));
    EXPECT_EQ(rec.lines,
              (Lines{"2 elevations outside -32767 .. 32767 were written as the nearest of the two (-32767: void)."}));
}

TEST(UsgsDemEntries, RangesAndStoredValues)
{
    using Outcome = UsgsDemEntryCheck::Outcome;
    auto texts = [](const char* e, const char* n, const char* z) {
        UsgsDemEntryTexts t;
        t.easting = e, t.northing = n, t.zone = z;
        return t;
    };
    for (auto t : {texts("159999", "0", "5"), texts("834001", "0", "5"), texts("500000", "10000001", "5"),
                   texts("500000", "0", "0"), texts("500000", "0", "61")})
        EXPECT_EQ(std::pair(checkUsgsDemEntries(t).outcome, checkUsgsDemEntries(t).errorLines),
                  std::pair(Outcome::RangeError, usgsDemUtmErrorLines()))
            << t.easting << " " << t.northing << " " << t.zone;
    auto units = texts("160000", "-4000000", "60");   // no lower limit for the northing
    units.elevationUnits = "10";
    EXPECT_EQ(std::pair(checkUsgsDemEntries(units).outcome, checkUsgsDemEntries(units).errorLines),
              std::pair(Outcome::RangeError, usgsDemUnitsErrorLines()));
    units.elevationUnits = "1", units.spacing = "thirty";
    EXPECT_EQ(checkUsgsDemEntries(units).conversionText, "Text box entry must be a double!");
    // A spacing or scale the file's fields cannot hold (spacing F12.6, elevations I6).
    for (const auto& [spacing, scale] : {std::pair{"0", "1"}, {"100000", "1"}, {"30", "-1e6"}}) {
        units.spacing = spacing, units.scale = scale;
        EXPECT_EQ(checkUsgsDemEntries(units).errorLines, usgsDemSpacingErrorLines()) << spacing << " " << scale;
    }
    units.datum = "NAS-C", units.spacing = "99999.5", units.elevationUnits = "3", units.scale = "-999999";
    const auto check = checkUsgsDemEntries(units);
    ASSERT_EQ(check.outcome, Outcome::Accepted);
    EXPECT_EQ(std::tuple(check.values.baseyFloat, check.values.gridSpacing, check.values.elevationUnitsCode,
                         check.values.outputScaleFactor),
              std::tuple(-4000000.0, 99999.5, 3, -999999.0f));
}

TEST(UsgsDemReader, ReadsOwnFileNorthUpWithItsLogLines)
{
    const RealGrid solution = solutionOf(3, 2, [](int r, int c) { return 100.7 + r * 10 - c * 300; });
    RecordingReporter rec;
    const auto tile = parse(formatUsgsAsciiDem(georeference(), solution), rec);
    ASSERT_TRUE(tile);
    EXPECT_EQ(*tile, gridOf<IntGrid>({{120, -179}, {110, -189}, {100, -199}}));   // north row first
    EXPECT_TRUE(rec.hasSequence({"minimum elevation is:  -199", "maximum elevation is:  120",
                                 "elevation range is:  319", "rows is:  2", "columns is  :3"}));
    EXPECT_EQ(std::tuple(rec.progressMaximum, rec.progressPosition, rec.progressVisible), std::tuple(2, 3, false));
}

TEST(UsgsDemReader, MalformedFilesHandOverNothing)
{
    const std::string good = formatUsgsAsciiDem(georeference(), solutionOf(3, 2, [](int r, int) { return r + 1; }));
    auto changed = [&](std::size_t at, const char* text) {
        return std::string(good).replace(at, std::strlen(text), text);
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"shorter than the quad name", good.substr(0, 100)},
        {"record A only", good.substr(0, 1024)},
        {"no profile count", changed(858, "      ")},
        {"profile count 0", changed(858, "     0")},
        {"more profiles announced than present", changed(858, "     4")},
        {"profile cut short", good.substr(0, 1025 + 150)},
        {"not a number among the elevations", changed(1025 + 150, "x2x")},
        {"negative elevation count", changed(1025 + 12, "    -3")},
        {"absurd elevation count", changed(1025 + 12, "  5000")},
    };
    for (const auto& [name, text] : cases) {
        RecordingReporter rec;
        EXPECT_FALSE(parse(text, rec)) << name;
        EXPECT_EQ(std::pair(rec.lines.back(), rec.progressVisible),
                  std::pair(std::string(usgsdem::kUnreadableLine), false))
            << name;
    }
    RecordingReporter missing;
    EXPECT_FALSE(readUsgsDem("/nonexistent-dir/x.dem", missing));
    EXPECT_EQ(missing.lines, (Lines{"Could not open input .dem file"}));
}

// Postings as GDAL 3.6.2 reads them (row 0 = north). storml: written by GDAL from a 143 x 107 UTM grid.
// 39079G6: profiles start at different northings ("D+000" exponents); each sits at its own ground y, the
// first 71 rows (30 m each) north of the second, nothing known below its start. 39109h1: record A of 892
// characters and a line end; elevations are counts of 0.07305 above the local datum 1522.6 (GDAL: 1713.63,
// 1687.40).
TEST(UsgsDemReader, RealFilesGiveTheIndependentPostings)
{
    struct Row {
        const char* file;
        int rows, cols;
        std::vector<std::pair<int, int>> at;
        std::vector<std::int32_t> values;
        std::string line;
    };
    const Row rows[] = {
        {"4619old_truncated.dem", 1201, 2, {{0, 0}, {600, 0}, {1000, 0}, {1200, 1}}, {-32000, 90, 110, 98},
         "minimum elevation is:  79"},
        {"022gdeme_truncated", 1201, 1, {{0, 0}, {1200, 0}}, {124, 0}, "columns is  :1201"},
        {"storml_elev_utm12.dem", 107, 143, {{0, 0}, {0, 142}, {106, 0}, {106, 142}, {50, 70}},
         {2450, 2536, 2807, 2798, 2592}, "columns is  :107"},
        {"39079G6_truncated.dem", 148, 2, {{76, 0}, {0, 0}, {77, 0}, {147, 1}}, {349, 335, 0, 338},
         "606898.3125    4414421.5"},
        {"39109h1_truncated.dem", 1411, 2, {{0, 0}, {23, 0}, {76, 1}, {1410, 1}}, {-32767, 1714, 1687, -32767},
         "columns is  :1411"},
    };
    for (const Row& row : rows) {
        RecordingReporter rec;
        const auto tile = readUsgsDem(testData(row.file), rec);
        ASSERT_TRUE(tile) << row.file;
        EXPECT_EQ(std::tuple(tile->rows(), tile->cols(), cellsAt(*tile, row.at)),
                  std::tuple(row.rows, row.cols, row.values))
            << row.file;
        EXPECT_TRUE(rec.has(row.line)) << row.file;
    }
}
