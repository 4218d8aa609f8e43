#include "formats/SrtmHgt.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;
using Notices = std::vector<std::pair<std::string, std::string>>;

const std::pair<std::string, std::string> kLongitudeNotice{"Conversion Error", srtm::kLongitudeMessage};
const std::pair<std::string, std::string> kLatitudeNotice{"Conversion Error", srtm::kLatitudeMessage};

/// n x n samples where sample (r, c) = r * 10 + c (rows all differ).
std::vector<std::uint8_t> patternTile(int n)
{
    std::vector<std::uint8_t> bytes;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const int v = r * 10 + c;
            bytes.push_back(std::uint8_t(v >> 8));
            bytes.push_back(std::uint8_t(v));
        }
    return bytes;
}

} // namespace

TEST(SrtmTileName, SignsDegreesLogLinesAndNotices)
{
    struct Case {
        std::string path;
        double latitude, longitude;
        Lines lines;
        Notices notices;
    };
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
        EXPECT_EQ(corner.latitude, c.latitude) << c.path;
        EXPECT_EQ(corner.longitude, c.longitude) << c.path;
        EXPECT_EQ(rec.lines, c.lines) << c.path;
        EXPECT_EQ(rec.notices, c.notices) << c.path;
    }
}

TEST(SrtmTileRead, SquareSizeComesFromTheLength)
{
    EXPECT_EQ(srtmTileSide(2'884'802), 1201);
    EXPECT_EQ(srtmTileSide(25'934'402), 3601);
    EXPECT_EQ(srtmTileSide(2'884'803), 1201);   // the odd byte is ignored
    EXPECT_EQ(srtmTileSide(2'884'801), 1200);   // a short file: the largest square it holds
    EXPECT_EQ(srtmTileSide(0), 0);
    EXPECT_EQ(srtmTileSide(1), 0);
    EXPECT_EQ(srtmTileSide(2), 1);
    EXPECT_EQ(srtmTileSide(7), 1);
    EXPECT_EQ(srtmTileSide(8), 2);
}

TEST(SrtmTileRead, SamplesAreBigEndianTwosComplementNorthRowFirst)
{
    RecordingReporter rec;
    auto bytes = patternTile(3);   // 18 bytes: a 3 x 3 tile
    bytes[0] = 0x80, bytes[1] = 0x00;
    bytes[2] = 0xFF, bytes[3] = 0xFE;
    const auto tile = decodeSrtmTile(bytes, rec);
    ASSERT_TRUE(tile);
    ASSERT_EQ(tile->rows(), 3);
    EXPECT_EQ((*tile)(0, 0), -32768);
    EXPECT_EQ((*tile)(0, 1), -2);
    EXPECT_EQ((*tile)(1, 0), 10);
    EXPECT_EQ((*tile)(2, 2), 22);
    EXPECT_EQ(rec.progressStarts, 1);
    EXPECT_EQ(rec.progressMaximum, 3);
    EXPECT_EQ(rec.progressPosition, 3);
    EXPECT_FALSE(rec.progressVisible);
    EXPECT_TRUE(rec.lines.empty());
}

TEST(SrtmTileRead, UnopenableAndEmptyFilesHandOverNothing)
{
    TempDir dir;
    RecordingReporter missing;
    EXPECT_FALSE(readSrtmTile(dir.file("none.hgt"), missing));
    EXPECT_EQ(missing.lines, (Lines{"could not open input file", " "}));

    for (std::size_t size : {0u, 1u}) {
        writeBytes(dir.file("e.hgt"), std::vector<std::uint8_t>(size, 0));
        RecordingReporter rec;
        EXPECT_FALSE(readSrtmTile(dir.file("e.hgt"), rec));
        EXPECT_EQ(rec.lines, (Lines{"opened file successfully", " ", srtm::kEmptyTileLine}));
    }
    // Not exactly 2 x n x n bytes: half a tile would open sheared as 849 x 849.
    for (std::size_t size : {1'442'401u, 2'884'803u, 2'884'800u, 6u}) {
        RecordingReporter rec;
        EXPECT_FALSE(decodeSrtmTile(std::vector<std::uint8_t>(size, 0), rec)) << size;
        EXPECT_EQ(rec.lines, (Lines{"SRTM file of " + std::to_string(size) +
                                    " bytes is not a square tile of 2 x n x n bytes: no tile loaded."}));
        EXPECT_TRUE(rec.takeIncompleteInput());
    }
}

TEST(SrtmTileWrite, RoundTripAndLow16Bits)
{
    TempDir dir;
    IntGrid grid(2, 3);
    const std::int32_t values[] = {-2, 70000, 32767, -32768, 0, 1201};
    for (int i = 0; i < 6; ++i) grid.data()[i] = values[i];
    RecordingReporter rec;
    ASSERT_TRUE(writeSrtmTile(dir.file("w.hgt"), grid, rec));
    const auto bytes = readBytes(dir.file("w.hgt"));
    ASSERT_EQ(bytes.size(), 12u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(bytes[2] << 8 | bytes[3], 4464);   // 70000 keeps its low 16 bits

    IntGrid square(4, 4);
    for (int i = 0; i < 16; ++i) square.data()[i] = i * 1000 - 5000;
    ASSERT_TRUE(writeSrtmTile(dir.file("s.hgt"), square, rec));
    EXPECT_EQ(readSrtmTile(dir.file("s.hgt"), rec), square);

    RecordingReporter failed;
    EXPECT_FALSE(writeSrtmTile("/nonexistent-dir/x.hgt", square, failed));
    EXPECT_EQ(failed.lines, (Lines{"could not open output file", "/nonexistent-dir/x.hgt: No such file or directory"}));
}

TEST(SaveSrtm, SmallResultIsFlippedTruncatedAndPaddedTo1201)
{
    RealGrid solution(1000, 900, 5.0);   // row 0 = south
    solution(999, 0) = -2.7;              // northern row
    solution(0, 899) = 70000.0;           // southern row, eastern column
    solution(500, 3) = 2.9;
    RecordingReporter rec;
    const auto tile = srtmTileFromSolution(solution, rec);
    ASSERT_TRUE(tile);
    ASSERT_EQ(tile->rows(), 1201);
    ASSERT_EQ(tile->cols(), 1201);
    EXPECT_EQ((*tile)(0, 0), -2);         // file row 0 is result row 999
    EXPECT_EQ((*tile)(999, 899), 70000);
    EXPECT_EQ((*tile)(499, 3), 2);
    EXPECT_EQ((*tile)(1000, 0), 0);       // southern padding
    EXPECT_EQ((*tile)(0, 900), 0);        // eastern padding
    EXPECT_EQ((*tile)(1200, 1200), 0);
    EXPECT_EQ(encodeSrtmTile(*tile)[2 * (999 * 1201 + 899) + 1], 4464 & 0xFF);
    EXPECT_EQ(srtmBytesFromSolution(solution, rec), encodeSrtmTile(*tile));
    EXPECT_TRUE(rec.lines.empty());
}

TEST(SaveSrtm, MiddleSizesAndTooLargeGrids)
{
    RecordingReporter rec;
    RealGrid solution(2000, 2000, 1.0);
    solution(0, 0) = 9.0;
    const auto tile = srtmTileFromSolution(solution, rec);
    ASSERT_TRUE(tile);
    EXPECT_EQ(tile->rows(), 3601);       // padded as "Save SRTM Heightfield" pads: a tile readers take
    EXPECT_EQ(tile->cols(), 3601);
    EXPECT_EQ((*tile)(1999, 0), 9);
    EXPECT_EQ((*tile)(0, 1999), 1);
    EXPECT_EQ((*tile)(2000, 0), 0);
    EXPECT_EQ((*tile)(0, 2000), 0);
    EXPECT_EQ(srtmTileFromSolution(RealGrid(1500, 2000, 1.0), rec)->rows(), 3601);

    const auto heightfield = srtmHeightfieldTile(IntGrid(2000, 1500, 7), rec);
    ASSERT_TRUE(heightfield);
    EXPECT_EQ(heightfield->rows(), 3601);   // the graphics window pads to 3601
    EXPECT_EQ((*heightfield)(0, 0), 7);     // no reversal
    EXPECT_EQ((*heightfield)(1999, 1499), 7);
    EXPECT_EQ((*heightfield)(2000, 0), 0);
    EXPECT_EQ((*heightfield)(0, 1500), 0);
    EXPECT_EQ(srtmHeightfieldTile(IntGrid(1201, 10, 1), rec)->rows(), 1201);
    EXPECT_TRUE(rec.lines.empty());

    RecordingReporter big;
    EXPECT_FALSE(srtmTileFromSolution(RealGrid(3602, 10), big));
    EXPECT_FALSE(srtmBytesFromSolution(RealGrid(10, 3602), big));
    EXPECT_FALSE(srtmHeightfieldTile(IntGrid(10, 3602), big));
    EXPECT_EQ(big.lines, (Lines{"File size error.", "File size error.", "File size exceeds 3601 by 3601. Illegal file."}));
}
