#include "formats/Dted.h"
#include "DtedFiles.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <numeric>

using Lines = std::vector<std::string>;

/// The longitude and latitude of the corner of a test data file.
static std::pair<double, double> cornerOf(const std::string& file, Reporter& reporter)
{
    const auto c = readDtedCorner(testData(file), reporter);
    return c ? std::pair(c->longitude, c->latitude) : std::pair(-999.0, -999.0);
}

TEST(DtedSamples, SignedMagnitudeWithTwosComplementNegativesRecognised)
{
    const std::vector<std::pair<std::vector<std::uint8_t>, std::int32_t>> cases = {
        {{0x07, 0xD0}, 2000}, {{0x7F, 0xFF}, 32767}, {{0xFF, 0xFF}, -32767}, {{0x80, 0x01}, -1}, {{0xBE, 0x80}, -16000},
        {{0xFF, 0xF9}, -7},      // two's complement -7 from a careless producer
        {{0xC1, 0x7F}, -16001},  // -16001 signed magnitude would be 0xBE81: 0xC17F is two's complement
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(decodeDtedSample(bytes.data()), expected) << int(bytes[0]) << "," << int(bytes[1]);
    std::vector<std::uint8_t> out;
    for (std::int32_t v : {-7, 32767, 70000, -70000, 123}) putDtedSample(out, v);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0x80, 0x07, 0x7F, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x00, 0x7B}));
}

TEST(Dted0Profiles, A121ProfileFileIsReadNorthUpAndA61OneFillsColumnPairs)
{
    RecordingReporter rec;
    const IntGrid tile = dtedTileFromProfiles(
        readDted0Profiles(dtedFile("0121", 121, 121, [](int p, int k) { return p * 200 + k; }), rec));
    // The southern value of the western profile at the bottom left.
    EXPECT_EQ(std::pair(rec.lines, cellsAt(tile, {{120, 0}, {0, 0}, {120, 120}, {0, 120}})),
              std::pair(Lines{"longitudeProfiles is:  121"}, std::vector<std::int32_t>{0, 120, 24000, 24120}));
    RecordingReporter sparse;
    const IntGrid pairs = dtedTileFromProfiles(
        readDted0Profiles(dtedFile("0061", 61, 121, [](int p, int k) { return p * 500 + k; }), sparse));
    EXPECT_EQ(sparse.lines,
              (Lines{"longitudeProfiles is:  61", "Warning: Missing data.  Only 61 DTED0 longitude profiles in file.",
                     "This file is a poor choice for merging due to sparse data", "  "}));
    for (int c = 0; c <= 120; ++c)   // column pairs; column 120: the 61st profile
        for (int r : {0, 60, 120}) EXPECT_EQ(pairs(r, c), (c / 2) * 500 + 120 - r) << c;
}

TEST(Dted0Profiles, UnrecognisedCountShortFileAndVoids)
{
    RecordingReporter rec;
    const IntGrid unread = readDted0Profiles(dtedFile("0241", 3, 121, [](int, int) { return 5; }), rec);
    EXPECT_EQ(
        std::pair(rec.lines.back(), unread),
        std::pair(std::string("Unrecognized number of DTED0 longitude profiles."), IntGrid(121, 121, dted::kVoid)));

    // Two and a half profiles: reading stops at the end; everything after holds -32767.
    auto file = dtedFile("0121", 3, 121, [](int p, int) { return p + 1; });
    file.resize(dted::kHeaderBytes + 2 * (242 + 12) + 61 * 2 + 1);
    RecordingReporter shortRec;
    const IntGrid tile = dtedTileFromProfiles(readDted0Profiles(file, shortRec));
    // Elevation 60 of the third profile was read.
    EXPECT_EQ(cellsAt(tile, {{0, 1}, {60, 2}, {59, 2}, {0, 3}}),
              (std::vector<std::int32_t>{2, 3, dted::kVoid, dted::kVoid}));
    EXPECT_TRUE(shortRec.takeIncompleteInput());
}

TEST(DtedCorner, DigitsHemispheresAndConversionErrors)
{
    RecordingReporter rec;
    const TileCorner west = readDtedCorner(dtedFile("0121", 0, 121, [](int, int) { return 0; }), rec);
    // 7 degrees 30 minutes west.
    EXPECT_EQ(std::tuple(west.longitude, west.latitude, rec.notices.size()), std::tuple(-7.0, 45.0, 0u));

    RecordingReporter bad;
    const TileCorner corner =
        readDtedCorner(dtedFile("0121", 0, 121, [](int, int) { return 0; }, {"0X70000.0E", "A20000N"}), bad);
    EXPECT_EQ(corner.longitude + corner.latitude, 0.0);
    EXPECT_EQ(bad.notices, (std::vector<std::pair<std::string, std::string>>{
                               {"Conversion Error", "Failed to parse longitude string.  Using default longitude"},
                               {"Conversion Error", "Failed to parse latitude string.  Using default latitude."}}));
}

TEST(DtedRealFiles, PostingsEqualTheIndependentReading)
{
    // Postings of the real cells as GDAL 3.6.2 reads them (row 0 = north).
    RecordingReporter rec;
    const auto dt0 = readDted0Tile(testData("n43.dt0"), rec);
    ASSERT_TRUE(dt0);
    EXPECT_EQ(cellsAt(*dt0, {{0, 0}, {0, 1}, {0, 5}, {120, 115}, {120, 120}, {60, 55}}),
              (std::vector<std::int32_t>{294, 311, 329, 183, 182, 75}));
    EXPECT_EQ(cornerOf("n43.dt0", rec), std::pair(-80.0, 43.0));

    // A cut-down copy holding two records, numbered by their headers: GDAL puts them in those
    // columns (their elevations are 0) and leaves every other column void.
    RecordingReporter partial;
    const auto cut = readDted0Tile(testData("n43_sparse_cols.dt0"), partial);
    ASSERT_TRUE(cut);
    for (int c = 0; c < 121; ++c)
        for (int r : {0, 60, 120}) EXPECT_EQ((*cut)(r, c), c == 2 || c == 4 ? 0 : dted::kVoid) << r << " " << c;
    EXPECT_TRUE(
        partial.has("DTED file not whole: 119 of 121 longitude profiles missing or cut short (read as -32767)."));

    // Profiles 670-677 of the USGS cell N00 E006 (header kept, later profiles cut off): signed-magnitude
    // negatives and voids, each record in the column its header's longitude count names.
    const auto dt1 = readDted1Tile(testData("n00_e006_profiles670-677.dt1"), rec);
    ASSERT_TRUE(dt1);
    EXPECT_EQ(cellsAt(dt1->tile, {{1000, 672}, {1000, 673}, {1000, 677}, {785, 670}, {785, 676}, {1200, 677},
                                  {1143, 670}, {1144, 670}, {1135, 676}, {0, 0}, {0, 678}}),
              (std::vector<std::int32_t>{-32767, 637, 465, 99, 259, 0, 7, -4, -7, dted::kVoid, dted::kVoid}));
    EXPECT_TRUE(rec.has("DTED file not whole: 1193 of 1201 longitude profiles missing or cut short (read as -32767)."));
    EXPECT_EQ(cornerOf("n00_e006_profiles670-677.dt1", rec), std::pair(6.0, 0.0));
}

TEST(SaveDted1, ByteExactLayoutPaddingRoundTripAndRefusals)
{
    TempDir dir;
    const auto source =
        dtedFile("1201", 1201, 1201, [](int p, int k) { return (p + k) % 3000 - 100; }, {"0110000.0E", "490000N"});
    writeBytes(dir.file("in.dt1"), source);
    RecordingReporter rec;
    const auto opened = readDted1Tile(dir.file("in.dt1"), rec);
    ASSERT_TRUE(opened);

    RealGrid solution(1000, 1300, 0.0);   // row 0 = south; smaller rows, more columns
    for (int r = 0; r < 1000; ++r)
        for (int c = 0; c < 1300; ++c) solution(r, c) = r - c + 0.9;
    solution(0, 0) = -2.7;
    ASSERT_TRUE(writeDted1(dir.file("out.dt1"), solution, opened->headerBlock, rec));
    const auto bytes = readBytes(dir.file("out.dt1"));
    ASSERT_EQ(bytes.size(), 3436u + 1201u * (2402u + 12u));
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 3436, source.begin()));   // the header block reused
    // Each record ends with the sum of its bytes (its header included) and the next record's header.
    for (std::size_t start : {std::size_t(3428), std::size_t(3428 + 1200 * 2414)}) {
        const std::uint8_t* checksum = &bytes[start + 8 + 2402];
        EXPECT_EQ((std::uint32_t(checksum[0]) << 24) | (checksum[1] << 16) | (checksum[2] << 8) | checksum[3],
                  std::accumulate(&bytes[start], checksum, 0u)) << start;
    }
    const std::uint8_t header2[8] = {0xAA, 0, 0, 2, 0, 2, 0, 0};   // the third record's
    EXPECT_TRUE(std::equal(header2, header2 + 8, &bytes[3428 + 2 * 2414]));

    const auto back = readDted1Tile(dir.file("out.dt1"), rec);
    ASSERT_TRUE(back);
    // South-west corner at the bottom left; rows the solution did not reach are padded with 0.
    EXPECT_EQ(cellsAt(back->tile, {{1200, 0}, {1200 - 999, 1200}, {0, 0}}),
              (std::vector<std::int32_t>{-2, 999 - 1200 + 1, 0}));
    RecordingReporter noHeader;
    EXPECT_FALSE(writeDted1("/tmp/never-written.dt1", RealGrid(2, 2, 1.0), {}, noHeader));
    EXPECT_EQ(noHeader.lines, (Lines{dted::kNoHeaderLine}));

    RecordingReporter failed;
    EXPECT_FALSE(writeDted1("/nonexistent-dir/x.dt1", RealGrid(2, 2), std::vector<std::uint8_t>(3436), failed));
    EXPECT_EQ(failed.lines, (Lines{"could not open output file", "/nonexistent-dir/x.dt1: No such file or directory"}));
}

