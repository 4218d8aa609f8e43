// gridmend-cli prepare and classify, run as a user runs them.
#include "app/core/GridOps.h"
#include "formats/Bmp.h"
#include "formats/ElevationArray.h"
#include "graphics/StackFlood.h"
#include "RecordingReporter.h"
#include "TestFiles.h"
#include "CliRun.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <set>

namespace {


constexpr std::int32_t kBrown = 0x8B4513, kBlue = 0x0000FF, kGrey = 0x808080, kPaper = 0xFFFCF0;
constexpr int kRows = 120, kCols = 200, kContours = 3;

int contourRow(int k, int x) { return 25 + 35 * k + int(std::lround(6 * std::sin(x / 20.0))); }

/// Brown contours three pixels wide over a grey grid, each broken by a blue river, with brown specks.
Grid<std::uint32_t> drawnSheet()
{
    IntGrid map(kRows, kCols, std::int32_t(kPaper));
    for (int x = 40; x < kCols; x += 40)
        for (int r = 0; r < kRows; ++r) map(r, x) = kGrey;
    for (int k = 0; k < kContours; ++k)
        for (int x = 0; x + 1 < kCols; ++x)
            for (int w = 0; w < 3; ++w) gridops::drawLine(map, x, contourRow(k, x) + w, x + 1, contourRow(k, x + 1) + w, kBrown);
    for (int r = 0; r < kRows; ++r) map(r, 130) = map(r, 131) = kBlue;
    map(100, 20) = map(10, 170) = kBrown;
    Grid<std::uint32_t> picture(kRows, kCols);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) picture(r, c) = std::uint32_t(map(r, c));
    return picture;
}

/// The 8-connected pieces of line pixels (not 255), as sizes.
std::vector<std::size_t> pieces(const IntGrid& a)
{
    StackFlood flood(a.rows(), a.cols());
    std::vector<std::size_t> sizes;
    auto line = [&](int r, int c) { return a(r, c) != 255; };
    for (int r = 0; r < a.rows(); ++r)
        for (int c = 0; c < a.cols(); ++c)
            if (line(r, c) && !flood.reached(r, c)) sizes.push_back(flood.run(r, c, line, line, [](int, int) {}));
    return sizes;
}

} // namespace

TEST(CliMaps, PrepareRunsTheWindowsCommandsInTheOrderGiven)
{
    TempDir dir;
    RecordingReporter quiet;
    ASSERT_TRUE(writeColourBmp(dir.file("sheet.bmp"), drawnSheet(), quiet));
    const std::string in = dir.file("sheet.bmp");
    const CliResult r = runCli("prepare " + in + " " + dir.file("lines.elv") +
                         " --range-filter 0x8B4513 0x8B4513 --binarize 0xffffff --thin 10 --despeckle"
                         " --delete-short 30 --connect 8");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("File Written"), std::string::npos);
    auto lines = readElevationArray(dir.file("lines.elv"), quiet);
    ASSERT_TRUE(lines);
    const IntGrid& a = lines->grid;
    ASSERT_EQ(a.rows(), kRows);
    // Three whole contours, one pixel wide, nothing else.
    const auto sizes = pieces(a);
    ASSERT_EQ(sizes.size(), std::size_t(kContours));
    for (std::size_t s : sizes) EXPECT_GT(s, std::size_t(kCols - 4));
    for (int k = 0; k < kContours; ++k)
        for (int x = 5; x < kCols - 5; x += 5) {
            int onLine = 0;
            for (int r = contourRow(k, x) - 2; r <= contourRow(k, x) + 4; ++r) onLine += a(r, x) != 255;
            EXPECT_EQ(onLine, 1) << k << " " << x;
        }

    // Without the range filter the grid and river stay; without --connect the river gaps stay open.
    const CliResult open = runCli("prepare " + in + " " + dir.file("open.elv") +
                            " --range-filter 0x8B4513 0x8B4513 --binarize 0xffffff --thin 10 --despeckle");
    ASSERT_EQ(open.status, 0);
    EXPECT_EQ(pieces(readElevationArray(dir.file("open.elv"), quiet)->grid).size(), std::size_t(2 * kContours));
    // "--remove-web" removes the clicked grid line from what is written, not only from the picture shown.
    ASSERT_EQ(runCli("prepare " + in + " " + dir.file("plain.elv")).status, 0);
    ASSERT_EQ(runCli("prepare " + in + " " + dir.file("web.elv") + " --remove-web 40 5").status, 0);
    const IntGrid plain = readElevationArray(dir.file("plain.elv"), quiet)->grid;
    const IntGrid web = readElevationArray(dir.file("web.elv"), quiet)->grid;
    int changed = 0;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            if (plain(r, c) != web(r, c)) {
                EXPECT_EQ(c, 40) << r;   // only the grid line's piece above the first contour
                EXPECT_LT(r, contourRow(0, 40));
                ++changed;
            }
    EXPECT_GT(changed, 20);
    // "--keep": the brown goes instead.
    ASSERT_EQ(runCli("prepare " + in + " " + dir.file("keep.bmp") + " --range-filter 0x8B4513 0x8B4513 --keep").status, 0);
    const auto bmp = readBytes(dir.file("keep.bmp"));
    ASSERT_GT(bmp.size(), 54u);
}

TEST(CliMaps, PrepareRefusesBadCommandLines)
{
    TempDir dir;
    RecordingReporter quiet;
    ASSERT_TRUE(writeColourBmp(dir.file("sheet.bmp"), drawnSheet(), quiet));
    const std::string in = dir.file("sheet.bmp");
    EXPECT_EQ(runCli("prepare " + in + " " + dir.file("x.elv") + " --thin 3").status, 2);   // no line code yet
    EXPECT_EQ(runCli("prepare " + in + " " + dir.file("x.txt")).status, 2);
    EXPECT_EQ(runCli("prepare " + in + " " + dir.file("x.elv") + " --binarize 0xffffff --connect 100").status, 2);
    EXPECT_EQ(runCli("prepare " + in + " " + dir.file("x.elv") + " --binarize 0xffffff --delete-short 0").status, 2);
    EXPECT_EQ(runCli("prepare " + in + " " + dir.file("x.elv") + " --binarize white").status, 2);
    EXPECT_EQ(runCli("prepare " + dir.file("missing.bmp") + " " + dir.file("x.elv")).status, 1);
}

TEST(CliMaps, ClassifyIsReproducibleWithASeed)
{
    TempDir dir;
    RecordingReporter quiet;
    Grid<std::uint32_t> picture(20, 30);
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 30; ++c)
            picture(r, c) = (c < 15 ? 0x204080u : 0xE0C020u) + std::uint32_t((r * 7 + c * 3) % 5) * 0x010101u;
    ASSERT_TRUE(writeColourBmp(dir.file("in.bmp"), picture, quiet));
    const std::string args = " --clusters 2 --passes 3 --distance b --seed 42";
    const CliResult a = runCli("classify " + dir.file("in.bmp") + " " + dir.file("a.bmp") + args);
    const CliResult b = runCli("classify " + dir.file("in.bmp") + " " + dir.file("b.bmp") + args);
    ASSERT_EQ(a.status, 0) << a.out;
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(readBytes(dir.file("a.bmp")), readBytes(dir.file("b.bmp")));
    EXPECT_NE(a.out.find("Number of clusters is:  2\nnumber of passes is:  3\nnrows is:  600\nncols is:  3\n"),
              std::string::npos) << a.out;
    EXPECT_NE(a.out.find("Solution found with 3 replicates"), std::string::npos) << a.out;
    // Two colours are left: the means of the two halves.
    const auto bytes = readBytes(dir.file("a.bmp"));
    std::set<std::uint32_t> colours;
    ASSERT_EQ(bytes.size(), 54u + 20u * 92u);   // lines of 30 pixels padded to 92 bytes
    for (std::size_t line = 0; line < 20; ++line)
        for (std::size_t x = 0; x < 30; ++x) {
            const std::size_t i = 54 + line * 92 + x * 3;
            colours.insert(bytes[i] | bytes[i + 1] << 8 | bytes[i + 2] << 16);
        }
    EXPECT_EQ(colours.size(), 2u);

    EXPECT_EQ(runCli("classify " + dir.file("in.bmp") + " " + dir.file("c.bmp") + " --clusters 0 --passes 1").status, 2);
    EXPECT_EQ(runCli("classify " + dir.file("in.bmp") + " " + dir.file("c.bmp") + " --clusters 2 --passes x").status, 2);
    EXPECT_EQ(runCli("classify " + dir.file("in.bmp") + " " + dir.file("c.bmp") + " --clusters 2 --passes 1 --distance z")
                  .status, 2);
    EXPECT_EQ(runCli("classify " + dir.file("in.bmp") + " " + dir.file("c.txt") + " --clusters 2 --passes 1").status, 2);
}
