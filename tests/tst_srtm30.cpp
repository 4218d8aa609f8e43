#include "formats/Srtm30.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(Srtm30TileName, LowerCaseLettersArePositive)
{
    // Multipliers are checked where the name parses (no notices).
    for (auto [path, longitude, latitude, lonMultiplier, latMultiplier, notices] :
         {std::tuple{"e020n40.dem", 20, 40, 1, 1, 0}, {"/data/w140n10.dem", -140, 10, -1, 1, 0},
          {"E020N40.dem", -20, -40, -1, -1, 0}, {"e020s10.hgt", 20, -10, 1, -1, 0}, {"eABCn4x.dem", 0, 0, 0, 0, 2},
          {"x.dem", 0, 0, 0, 0, 2}}) {
        RecordingReporter rec;
        const Srtm30Corner c = parseSrtm30TileName(path, rec);
        EXPECT_EQ(std::tuple(c.longitude, c.latitude, int(rec.notices.size()), notices ? 0 : c.longitudeMultiplier,
                             notices ? 0 : c.latitudeMultiplier),
                  std::tuple(longitude, latitude, notices, lonMultiplier, latMultiplier)) << path;
    }
    RecordingReporter rec;
    parseSrtm30TileName("w140n10.dem", rec);
    EXPECT_EQ(rec.lines,
              (Lines{"w140n10", "latitudeMultiplier:  1", "longitudeMultiplier:  -1", "longitudeString:  140",
                     "latitudeString:  10", "-140", "10"}));
}

TEST(Srtm30TileRead, FixedSizeShortFileAndLogLines)
{
    // 2 rows and 3 samples: -2, 1, 0x8000 ... then an odd byte; the rest is beyond the end.
    std::vector<std::uint8_t> bytes(2 * 4800 * 2, 0);
    bytes[0] = 0xFF, bytes[1] = 0xFE, bytes[2 * 4800 + 1] = 1, bytes[2 * 4799] = 0x80;   // (0, 0), (1, 0), (0, 4799)
    bytes.push_back(0x12);   // half a sample: not read
    RecordingReporter rec;
    const auto tile = decodeSrtm30Tile(bytes, rec);
    ASSERT_TRUE(tile);
    EXPECT_EQ(std::tuple(tile->rows(), tile->cols(), cellsAt(*tile, {{0, 0}, {0, 4799}, {1, 0}, {2, 0}, {5999, 4799}})),
              std::tuple(6000, 4800, std::vector<std::int32_t>{-2, -32768, 1, srtm30::kMissing, srtm30::kMissing}));
    EXPECT_EQ(rec.lines, (Lines{"rows is:  6000", "columns is:  4800", "filesize is:  19201", " ",
                                "Select 'DEM Interpolation' and then 'Interpolate Using DTED0 or SRTM30|Expand SRTM30 "
                                "DEM' from graphic window menu.",
                                "SRTM30 file cut short: 5998 of 6000 rows missing (read as -32768)."}));
    EXPECT_TRUE(rec.takeIncompleteInput());

    // Not one whole row (an empty file): nothing, rather than a tile of 28.8 million voids.
    for (std::size_t size : {0u, 9599u}) {
        RecordingReporter none;
        EXPECT_FALSE(decodeSrtm30Tile(std::vector<std::uint8_t>(size, 0), none));
        EXPECT_EQ(none.lines.back(), "SRTM30 file holds not one whole row: nothing loaded.");
        EXPECT_TRUE(none.takeIncompleteInput());
    }
}
