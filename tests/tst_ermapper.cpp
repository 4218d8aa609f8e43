#include "formats/ErMapper.h"
#include "FormatSamples.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

TEST(ErMapper, RealElevationsTruncatedNorthRowFirst)
{
    TempDir dir;
    writeBytes(dir.file("aus_dem_erm"), erTileFromRealBlock());
    RecordingReporter rec;
    const auto tile = readErMapperTile(dir.file("aus_dem_erm"), rec);
    ASSERT_TRUE(tile);
    EXPECT_EQ(rec.lines, (std::vector<std::string>{"opened file successfully", " ", "File size is 964516 bytes."}));
    ASSERT_EQ(std::pair(tile->rows(), tile->cols()), std::pair(401, 601));
    // Values as GDAL 3.6.2 reads the block: -9999 (null), 38.009403, 139.9999, 20.000866, 46.410213; the block repeats.
    EXPECT_EQ(cellsAt(*tile, {{0, 0}, {8, 14}, {26, 16}, {20, 10}, {20, 11}, {36 + 26, 30 * 19 + 16}}),
              (std::vector<std::int32_t>{-9999, 38, 139, 20, 46, 139}));
}

TEST(ErMapper, FloatDecodingAndTheRawValuePicture)
{
    auto tile = erTileFromRealBlock();
    const std::vector<std::pair<std::uint32_t, std::int32_t>> cases = {
        {0xC3480000, -200},  {0x3F7FFFFF, 0},  {0xBF7FFFFF, 0},       {0x447A0000, 1000},
        {0x7FC00000, -32768}, {0x7F800000, -32768}, {0x501502F9, -32768}, {0x00000001, 0}};
    for (std::size_t i = 0; i < cases.size(); ++i)   // row 1, big-endian after the 512-byte header
        for (std::size_t b = 0; b < 4; ++b)
            tile[512 + 4 * (ermapper::kColumns + i) + b] = std::uint8_t(cases[i].first >> (24 - 8 * b));
    RecordingReporter rec;
    const auto grid = decodeErMapperTile(tile, rec);
    ASSERT_TRUE(grid);
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ((*grid)(1, int(i)), cases[i].second) << std::hex << cases[i].first;
    // The raw-value picture: 1000 is blue 0xE8, green 0x03, red 0x00.
    EXPECT_EQ(rawValueColours(gridOf<IntGrid>({{1000, -200, 0x12345678}})),
              gridOf<IntGrid>({{0x0003E8, 0xFFFF38, 0x345678}}));
}

TEST(ErMapper, SizeTest)
{
    for (std::size_t size : {964515u, 964517u, 0u}) {
        RecordingReporter rec;
        EXPECT_FALSE(decodeErMapperTile(std::vector<std::uint8_t>(size), rec)) << size;
        EXPECT_EQ(rec.lines, (std::vector<std::string>{"File size is " + std::to_string(size) + " bytes.",
                                                       "This does not appear to be an ER file."}));
    }
}
