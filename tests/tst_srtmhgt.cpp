#include "formats/SrtmHgt.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;
using Notices = std::vector<std::pair<std::string, std::string>>;

const std::pair<std::string, std::string> kLongitudeNotice{"Conversion Error", srtm::kLongitudeMessage};
const std::pair<std::string, std::string> kLatitudeNotice{"Conversion Error", srtm::kLatitudeMessage};

TEST(SrtmTileName, SignsDegreesLogLinesAndNotices)
{
    struct Case { std::string path; double latitude, longitude; Lines lines; Notices notices; };
    const std::vector<Case> cases = {
        {"N45W123.hgt", 45, -123, {"N45W123", "-123", "45"}, {}},
        {"/data/tiles/S12E045.hgt", -12, 45, {"S12E045", "45", "-12"}, {}},
        {"n45e007.hgt", -45, -7, {"n45e007", "-7", "-45"}, {}},     // lower case counts as negative
        {"S00W000.hgt", 0, 0, {"S00W000", "0", "0"}, {}},           // never "-0"
        {"N45WABC.hgt", 45, 0, {"N45WABC", "0", "45"}, {kLongitudeNotice}},
        {"NXXW123.hgt", 0, -123, {"NXXW123", "-123", "0"}, {kLatitudeNotice}},
        // Fewer than 11 characters: an unparsable name, both notices, loading goes on.
        {"a.hgt", 0, 0, {"", "0", "0"}, {kLongitudeNotice, kLatitudeNotice}},
        // The seven characters come from the whole path, not from the file name.
        {"/x/45W123.hgt", -45, -123, {"/45W123", "-123", "-45"}, {}},
    };
    for (const Case& c : cases) {
        RecordingReporter rec;
        const TileCorner corner = parseSrtmTileName(c.path, rec);
        EXPECT_EQ(std::tuple(corner.latitude, corner.longitude, rec.lines, rec.notices),
                  std::tuple(c.latitude, c.longitude, c.lines, c.notices)) << c.path;
    }
}

TEST(SrtmTileRead, BigEndianTwosComplementNorthRowFirstOfExactlySquareFiles)
{
    for (auto [bytes, side] : {std::pair{2'884'802u, 1201}, {25'934'402u, 3601}, {2'884'803u, 1201}, {2'884'801u, 1200},
                               {0u, 0}, {1u, 0}, {2u, 1}, {8u, 2}})
        EXPECT_EQ(srtmTileSide(bytes), side) << bytes;
    RecordingReporter rec;   // a 3 x 3 tile, north row first
    const auto tile = decodeSrtmTile(
        std::vector<std::uint8_t>{0x80, 0, 0xFF, 0xFE, 0, 2, 0, 10, 0, 11, 1, 0, 0, 20, 0, 21, 0, 22}, rec);
    ASSERT_TRUE(tile);
    EXPECT_EQ(std::vector<std::int32_t>(tile->cells().begin(), tile->cells().end()),
              (std::vector<std::int32_t>{-32768, -2, 2, 10, 11, 256, 20, 21, 22}));
    // Not exactly 2 x n x n bytes: half a tile would open sheared as 849 x 849.
    for (std::size_t size : {1'442'401u, 2'884'803u, 6u}) {
        RecordingReporter cut;
        EXPECT_FALSE(decodeSrtmTile(std::vector<std::uint8_t>(size, 0), cut)) << size;
        EXPECT_EQ(std::pair(cut.lines, cut.takeIncompleteInput()),
                  std::pair(Lines{"SRTM file of " + std::to_string(size) +
                                  " bytes is not a square tile of 2 x n x n bytes: no tile loaded."},
                            true));
    }
}

TEST(SaveSrtm, ResultIsFlippedTruncatedAndPaddedTo1201Or3601)
{
    RealGrid solution(1000, 900, 5.0);   // row 0 = south
    solution(999, 0) = -2.7, solution(0, 899) = 70000.0, solution(500, 3) = 2.9;   // north row; south row, east column
    RecordingReporter rec;
    const auto tile = srtmTileFromSolution(solution, rec);
    ASSERT_TRUE(tile);
    // File row 0 is result row 999; southern and eastern padding; 70000 keeps its low 16 bits in the file.
    EXPECT_EQ(
        std::tuple(tile->rows(), tile->cols(), cellsAt(*tile, {{0, 0}, {999, 899}, {499, 3}, {1000, 0}, {0, 900}})),
        std::tuple(1201, 1201, std::vector<std::int32_t>{-2, 70000, 2, 0, 0}));
    EXPECT_EQ(encodeSrtmTile(*tile)[2 * (999 * 1201 + 899) + 1], 4464 & 0xFF);
    EXPECT_EQ(srtmBytesFromSolution(solution, rec), encodeSrtmTile(*tile));

    RealGrid middle(2000, 2000, 1.0);   // a middle size
    middle(0, 0) = 9.0;
    const auto padded = srtmTileFromSolution(middle, rec);
    ASSERT_TRUE(padded);
    // Padded as "Save SRTM Heightfield" pads: a tile readers take.
    EXPECT_EQ(
        std::tuple(padded->rows(), padded->cols(), cellsAt(*padded, {{1999, 0}, {0, 1999}, {2000, 0}, {0, 2000}})),
        std::tuple(3601, 3601, std::vector<std::int32_t>{9, 1, 0, 0}));

    const auto heightfield = srtmHeightfieldTile(IntGrid(1201, 1000, 7), rec);
    ASSERT_TRUE(heightfield);   // the graphics window's grid: a whole 1201 side stays 1201
    EXPECT_EQ(std::tuple(heightfield->rows(), cellsAt(*heightfield, {{1200, 999}, {0, 1000}})),
              std::tuple(1201, std::vector<std::int32_t>{7, 0}));
    RecordingReporter big;
    EXPECT_FALSE(srtmTileFromSolution(RealGrid(3602, 10), big));
    EXPECT_FALSE(srtmBytesFromSolution(RealGrid(10, 3602), big));
    EXPECT_FALSE(srtmHeightfieldTile(IntGrid(10, 3602), big));
    EXPECT_EQ(big.lines,
              (Lines{"File size error.", "File size error.", "File size exceeds 3601 by 3601. Illegal file."}));
}
