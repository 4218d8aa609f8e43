// Terragen, BSQ, TGA, bitmap and JPEG files, byte by byte.
#include "app/core/GridOps.h"
#include "formats/Bmp.h"
#include "formats/Bsq.h"
#include "formats/ExportScaling.h"
#include "formats/JpegWriter.h"
#include "formats/Terragen.h"
#include "formats/Tga.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::uint16_t le16(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return std::uint16_t(b.at(at) | b.at(at + 1) << 8);
}
std::string text(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t n)
{
    return std::string(b.begin() + std::ptrdiff_t(at), b.begin() + std::ptrdiff_t(at + n));
}
RealGrid realRows(const std::vector<std::vector<double>>& rows) { return gridOf<RealGrid>(rows); }

} // namespace

TEST(Terragen, HeaderOfA3By5Solution)
{
    RealGrid g(3, 5, 100.0);
    g(2, 4) = 900.0;
    RecordingReporter rep;
    const auto bytes = encodeTerragen(gridops::truncToIntGrid(g), 30, rep);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 48u + 30u + 4u);
    EXPECT_EQ(text(*bytes, 0, 48), std::string("TERRAGENTERRAIN SIZE\x02\0\0\0XPTS\x05\0\0\0YPTS\x03\0\0\0ALTW\x1e\0\0\0", 48));
    // Row 0 (south) the minimum, row 2 column 4 the maximum.
    EXPECT_EQ(std::tuple(le16(*bytes, 48), le16(*bytes, 48 + 2 * 14), text(*bytes, 78, 4)),
              std::tuple(0, 32000, "EOF "));
}

TEST(Terragen, ScalesTheRangeTo0To32000)
{
    const RealGrid g = realRows({{100.0, 500.0, 900.0}});
    TempDir dir;
    RecordingReporter rep;
    ASSERT_TRUE(saveTerragen(dir.file("t.ter"), g, 30, rep));
    const auto bytes = readBytes(dir.file("t.ter"));
    EXPECT_EQ(std::tuple(le16(bytes, 48), le16(bytes, 50), le16(bytes, 52)), std::tuple(0, 16000, 32000));
    EXPECT_EQ(rep.lines, (std::vector<std::string>{"100", "900", "elevrange is:  800", "Colormap slope value: 40",
                                                   "Colormap intercept value:  -4000", "  "}));
}

TEST(Terragen, FlatSolutionUsesRangeOneWithTheWarning)
{
    RecordingReporter rep;
    const auto bytes = encodeTerragen(IntGrid(2, 2, 250), 30, rep);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(le16(*bytes, 48), 32000);
    EXPECT_TRUE(rep.hasSequence({kFlatRangeWarning, "elevrange is:  1"}));
}

TEST(Terragen, SizesAndScalesBeyondSixteenBitsAreRefused)
{
    RecordingReporter rep;
    EXPECT_FALSE(encodeTerragen(IntGrid(2, 70000, 1), 30, rep));
    EXPECT_EQ(rep.lines, std::vector<std::string>{kSizeTooLargeLine});
    for (std::int32_t scale : {32768, 70000, -32769}) {   // never cut to its low 16 bits
        RecordingReporter refused;
        EXPECT_FALSE(encodeTerragen(IntGrid(2, 2, 1), scale, refused)) << scale;
        EXPECT_EQ(refused.lines.back(), kTerragenScaleLine);
    }
}

TEST(Bsq, NorthRowFirstLowByteFirst)
{
    const RealGrid g = realRows({{1.0, 2.0}, {3.0, 4.0}});   // row 0 = south
    EXPECT_EQ(encodeBsq(gridops::truncToIntGrid(g)), (std::vector<std::uint8_t>{3, 0, 4, 0, 1, 0, 2, 0}));
    // Truncation toward zero, low 16 bits.
    EXPECT_EQ(encodeBsq(gridops::truncToIntGrid(realRows({{-1.9, 70000.5}}))),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0x70, 0x11}));
    RecordingReporter rep;
    EXPECT_FALSE(saveBsq("/nonexistent-dir/b.bsq", g, rep));
    EXPECT_EQ(rep.lines, (std::vector<std::string>{"could not open output file", "/nonexistent-dir/b.bsq: No such file or directory"}));
}

TEST(Tga, PovRayHeaderAndPixels)
{
    const RealGrid g = realRows({{0.0, 1.0}, {1.0, 0.0}});
    TempDir dir;
    RecordingReporter rep;
    ASSERT_TRUE(saveTga(dir.file("p.tga"), g, TgaKind::PovRay, rep));
    const auto b = readBytes(dir.file("p.tga"));
    ASSERT_EQ(b.size(), 18u + 12u);
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin(), b.begin() + 18),
              (std::vector<std::uint8_t>{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 18, b.end()),
              (std::vector<std::uint8_t>{0, 0, 0, 0xFF, 0xFF, 0, 0xFF, 0xFF, 0, 0, 0, 0}));
    EXPECT_EQ(rep.lines, (std::vector<std::string>{"Max elevation:  1", "Min elevation:  0", "Elevation range:  1",
                                                   "Slope value:  65535", "Intercept value:  0", "  ",
                                                   "File saved."}));
}

TEST(Tga, GrayscaleWritesTheGreyByteThreeTimes)
{
    const RealGrid g = realRows({{10.0, 20.0, 30.0}});
    RecordingReporter rep;
    const auto b = encodeTga(gridops::truncToIntGrid(g), TgaKind::Grayscale, rep);
    ASSERT_TRUE(b);
    // slope 255/20 = 12.75, intercept 255 - 30 x 12.75 = -127.5; 20 -> 127.5 -> 127
    EXPECT_EQ(std::vector<std::uint8_t>(b->begin() + 18, b->end()),
              (std::vector<std::uint8_t>{0, 0, 0, 127, 127, 127, 255, 255, 255}));
    EXPECT_TRUE(rep.hasSequence({"Slope value:  12.75", "Intercept value:  -127.5"}));
}

TEST(Tga, FlatGridWarnsAndFailedOpenStops)
{
    RecordingReporter rep;
    const auto b = encodeTga(IntGrid(1, 2, 7), TgaKind::Grayscale, rep);
    ASSERT_TRUE(b);
    EXPECT_TRUE(rep.hasSequence({"Max elevation:  7", "Min elevation:  7", kFlatRangeWarning, "Elevation range:  1"}));
    EXPECT_EQ((*b)[18], 255);
    RecordingReporter failed;
    EXPECT_FALSE(saveTga("/nonexistent-dir/x.tga", RealGrid(2, 2, 1.0), TgaKind::PovRay, failed));
    EXPECT_EQ(failed.lines, (std::vector<std::string>{kTgaOpenFailedLine, "/nonexistent-dir/x.tga: No such file or directory"}));
}

TEST(Bmp, TwentyFourBitBottomUpPaddedLines)
{
    const auto b = encodeGreyBmp(gridOf<ByteGrid>({{10, 0, 0}, {0, 0, 200}}));
    ASSERT_EQ(b.size(), 54u + 2 * 12);   // lines of 9 bytes padded to 12
    EXPECT_EQ(std::tuple(text(b, 0, 2), le16(b, 2), le16(b, 10), le16(b, 14), le16(b, 18), le16(b, 22), le16(b, 28)),
              std::tuple("BM", 54 + 24, 54, 40, 3, 2, 24));
    // First stored line is the bottom one.
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 54, b.begin() + 54 + 12),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 200, 200, 200, 0, 0, 0}));
    EXPECT_EQ(b[54 + 12], 10);
}

