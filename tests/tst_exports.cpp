// Terragen, BSQ, TGA, bitmap and JPEG files, byte by byte.
#include "app/core/GridOps.h"
#include "formats/Bmp.h"
#include "formats/Bsq.h"
#include "formats/ExportScaling.h"
#include "formats/Terragen.h"
#include "formats/Tga.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

std::uint16_t le16(const Bytes& b, std::size_t at) { return std::uint16_t(b.at(at) | b.at(at + 1) << 8); }
std::string text(const Bytes& b, std::size_t at, std::size_t n)
{
    return std::string(b.begin() + std::ptrdiff_t(at), b.begin() + std::ptrdiff_t(at + n));
}

} // namespace

TEST(Terragen, HeaderAndTheRangeScaledTo0To32000SouthRowFirst)
{
    RealGrid g(3, 5, 100.0);
    g(1, 2) = 500.0, g(2, 4) = 900.0;
    TempDir dir;
    RecordingReporter rep;
    ASSERT_TRUE(saveTerragen(dir.file("t.ter"), g, 30, rep));
    const Bytes b = readBytes(dir.file("t.ter"));
    ASSERT_EQ(b.size(), 48u + 30u + 4u);
    EXPECT_EQ(text(b, 0, 48),
              std::string("TERRAGENTERRAIN SIZE\x02\0\0\0XPTS\x05\0\0\0YPTS\x03\0\0\0ALTW\x1e\0\0\0", 48));
    EXPECT_EQ(std::tuple(le16(b, 48), le16(b, 48 + 2 * 7), le16(b, 48 + 2 * 14), text(b, 78, 4)),
              std::tuple(0, 16000, 32000, "EOF "));
    EXPECT_TRUE(
        rep.hasSequence({"elevrange is:  800", "Colormap slope value: 40", "Colormap intercept value:  -4000"}));
}

TEST(Terragen, FlatSolutionWarnsAndSizesOrScalesBeyondSixteenBitsAreRefused)
{
    RecordingReporter rep;
    const auto bytes = encodeTerragen(IntGrid(2, 2, 250), 30, rep);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(le16(*bytes, 48), 32000);
    EXPECT_TRUE(rep.hasSequence({kFlatRangeWarning, "elevrange is:  1"}));
    for (auto [cols, scale] : {std::pair{70000, 30}, {2, 32768}, {2, 70000}, {2, -32769}}) {   // never cut to 16 bits
        RecordingReporter refused;
        EXPECT_FALSE(encodeTerragen(IntGrid(2, cols, 1), scale, refused)) << scale;
        EXPECT_EQ(refused.lines.back(), cols > 2 ? kSizeTooLargeLine : kTerragenScaleLine);
    }
}

TEST(Bsq, NorthRowFirstLowByteFirst)
{
    const RealGrid g = gridOf<RealGrid>({{1.0, 2.0}, {3.0, 4.0}});   // row 0 = south
    EXPECT_EQ(encodeBsq(gridops::truncToIntGrid(g)), (Bytes{3, 0, 4, 0, 1, 0, 2, 0}));
    // Truncation toward zero, low 16 bits.
    EXPECT_EQ(encodeBsq(gridOf<IntGrid>({{-1, 70000}})), (Bytes{0xFF, 0xFF, 0x70, 0x11}));
}

TEST(Tga, PovRayHeaderAndPixels)
{
    TempDir dir;
    RecordingReporter rep;
    ASSERT_TRUE(saveTga(dir.file("p.tga"), gridOf<RealGrid>({{0.0, 1.0}, {1.0, 0.0}}), TgaKind::PovRay, rep));
    const Bytes b = readBytes(dir.file("p.tga"));
    EXPECT_EQ(b, (Bytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0,   // the 18-byte header
                        0, 0, 0, 0xFF, 0xFF, 0, 0xFF, 0xFF, 0, 0, 0, 0}));
    EXPECT_EQ(rep.lines.back(), "File saved.");
}

TEST(Tga, GrayscaleWritesTheGreyByteThreeTimesAndAFlatGridWarns)
{
    RecordingReporter rep;
    const auto b = encodeTga(gridOf<IntGrid>({{10, 20, 30}}), TgaKind::Grayscale, rep);
    ASSERT_TRUE(b);
    // slope 255/20 = 12.75, intercept 255 - 30 x 12.75 = -127.5; 20 -> 127.5 -> 127
    EXPECT_EQ(Bytes(b->begin() + 18, b->end()), (Bytes{0, 0, 0, 127, 127, 127, 255, 255, 255}));
    EXPECT_TRUE(rep.hasSequence({"Slope value:  12.75", "Intercept value:  -127.5"}));
    RecordingReporter flat;
    EXPECT_EQ(encodeTga(IntGrid(1, 2, 7), TgaKind::Grayscale, flat).value_or(Bytes()).at(18), 255);
    EXPECT_TRUE(flat.hasSequence({"Max elevation:  7", "Min elevation:  7", kFlatRangeWarning, "Elevation range:  1"}));
    RecordingReporter failed;
    EXPECT_FALSE(saveTga("/nonexistent-dir/x.tga", RealGrid(2, 2, 1.0), TgaKind::PovRay, failed));
    EXPECT_EQ(failed.lines, (Lines{kTgaOpenFailedLine, "/nonexistent-dir/x.tga: No such file or directory"}));
}

TEST(Bmp, TwentyFourBitBottomUpPaddedLines)
{
    const Bytes b = encodeGreyBmp(gridOf<ByteGrid>({{10, 0, 0}, {0, 0, 200}}));
    ASSERT_EQ(b.size(), 54u + 2 * 12);   // lines of 9 bytes padded to 12
    EXPECT_EQ(std::tuple(text(b, 0, 2), le16(b, 2), le16(b, 10), le16(b, 14), le16(b, 18), le16(b, 22), le16(b, 28)),
              std::tuple("BM", 54 + 24, 54, 40, 3, 2, 24));
    // First stored line is the bottom one.
    EXPECT_EQ(Bytes(b.begin() + 54, b.begin() + 54 + 13), (Bytes{0, 0, 0, 0, 0, 0, 200, 200, 200, 0, 0, 0, 10}));
}
