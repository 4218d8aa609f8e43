// Index files, elevation arrays, index arrays, LISA inspection and JPEG.
#include "formats/ElevationArray.h"
#include "formats/FileIo.h"
#include "formats/IndexFile.h"
#include "formats/JpegReader.h"
#include "formats/JpegWriter.h"
#include "formats/LisaFile.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(IndexFile, ShiftsTheExtentAndReadsCompleteRecordsUpToTextThatIsNotANumber)
{
    RecordingReporter r;
    auto grid = parseIndexFile("10 20 100\n12 25 0\n11 22 105\n", r);
    EXPECT_EQ(grid, gridOf<IntGrid>({{100, 255, 255, 255, 255, 255},
                                     {255, 255, 105, 255, 255, 255},
                                     {255, 255, 255, 255, 255, 255}}));   // elevation 0: no posting
    // Values truncated toward zero; a trailing line end and an incomplete record add nothing;
    // a later posting at the same cell overwrites an earlier one; 255 is no elevation.
    grid = parseIndexFile("0.9 1.7 12.9\r\n1 0 -3.5\n0 1 40\n1 1 255\n1 1\n", r);
    EXPECT_EQ(grid, gridOf<IntGrid>({{255, 40}, {-3, 255}}));
    RecordingReporter stops;
    grid = parseIndexFile("5 5 7\n6 x 8\n9 9 9\n", stops);
    ASSERT_TRUE(grid);
    EXPECT_EQ(std::pair(stops.lines.front(), grid->size()), std::pair(std::string("number of points is:  1"), 1ul));
    RecordingReporter empty;
    EXPECT_FALSE(parseIndexFile("x y z\n", empty));
    EXPECT_EQ(empty.lines, (std::vector<std::string>{"number of points is:  0", "  ", kIndexFileNoPointsLine}));
}

TEST(IndexFile, LargeExtentsAreRescaledOntoAt1201)
{
    RecordingReporter r;   // 2402 rows by 100 columns: x is halved and y multiplied by 12.01
    auto grid = parseIndexFile("0 0 10\n2401 99 20\n1000 50 30\n", r);
    ASSERT_TRUE(grid);
    EXPECT_TRUE(r.hasSequence({" The compression may cause data loss.", "scaleX is:  0.5", "scaleY is:  12.01"}));
    // (1200, 1188): trunc(2401 x 0.5), trunc(99 x 12.01).
    EXPECT_EQ(std::tuple(grid->rows(), grid->cols(), cellsAt(*grid, {{1200, 1188}, {500, 600}, {0, 0}})),
              std::tuple(1201, 1189, std::vector<std::int32_t>{20, 30, 10}));
    RecordingReporter justOver, square;   // 1202 x 10 triggers the lines, 1201 x 1201 does not
    ASSERT_TRUE(parseIndexFile("0 0 1\n1201 9 2\n", justOver) && parseIndexFile("0 0 1\n1200 1200 2\n", square));
    EXPECT_EQ(std::pair(justOver.has(" Large file detected."), square.has(" Large file detected.")),
              std::pair(true, false));
}

TEST(ElevationArray, WritesTheFixedWidthLayoutAndTheIndexArrayRowsOuter)
{
    const IntGrid g = gridOf<IntGrid>({{1, -20, 255}, {0, 999999999, -2147483647 - 1}});
    EXPECT_EQ(formatElevationArray(g, 1),
              "         2         3         1\n"
              "         1       -20       255\n"
              "         0 999999999-2147483648\n");
    // The wide values read back: the sign starts the next number.
    auto back = parseElevationArray(formatElevationArray(g, 1)), narrow = parseElevationArray("2 2 7\n1 2\n3\t4 5\n");
    ASSERT_TRUE(back && narrow);
    EXPECT_EQ(std::tuple(back->grid, back->kindWord, narrow->kindWord, narrow->grid(1, 1)), std::tuple(g, 1, 7, 4));
    EXPECT_EQ(formatIndexArray(gridOf<IntGrid>({{255, 7}, {-12, 16777215}})),
              "0    0     255\n0    1       7\n1    0     -12\n1    116777215\n");
}

TEST(ElevationArray, MalformedFilesFailWithTheirLine)
{
    const char* bad[] = {
        "",                      // nothing
        "0 5 1\n",               // no rows
        "2 2 1\n1 2 3\n",        // fewer values than announced
        "2 2 1\n1 2 x 4\n",      // a value that is not a number
        "1 2147483647 1\n5\n",   // a count the file cannot hold
    };
    TempDir dir;
    for (const char* text : bad) {
        writeText(dir.file("b.elv"), text);
        RecordingReporter r;
        EXPECT_FALSE(readElevationArray(dir.file("b.elv"), r)) << text;
        EXPECT_EQ(r.lines.back(), kElevationFileFailedLine) << text;
    }
    RecordingReporter r;
    EXPECT_FALSE(readElevationArray("/nonexistent/x.elv", r));
    EXPECT_EQ(r.lines.back(), kElevationFileFailedLine);
}

TEST(FileIo, OnlyRegularFilesAreReadAndAFailedWriteLeavesTheOldFile)
{
    TempDir dir;
    writeText(dir.file("old.txt"), "old");
    std::filesystem::create_directory(dir.file("folder"));
    // Inputs: a folder, a device that never ends, a missing file: nothing read, no allocation first.
    for (const std::string& path : {dir.file("folder"), std::string("/dev/zero"), dir.file("missing")}) {
        RecordingReporter r;
        EXPECT_FALSE(fileio::readInputFile(path, r)) << path;
        EXPECT_EQ(r.lines.front(), fileio::kCouldNotOpenLine);
    }
    // Outputs: the system's reason; an existing file keeps its bytes.
    const std::uint8_t bytes[] = {'n', 'e', 'w'};
    const std::pair<std::string, std::string> failing[] = {
        {"/dev/full", "No space left on device"},
        {dir.file("no/such/folder.txt"), "No such file or directory"},
        {dir.file("folder"), "a folder has that name"}};
    for (const auto& [path, reason] : failing) EXPECT_EQ(fileio::replaceFile(path, bytes), reason) << path;
    EXPECT_EQ(readText(dir.file("old.txt")), "old");
    EXPECT_EQ(fileio::replaceFile(dir.file("old.txt"), bytes), "");
    EXPECT_EQ(readText(dir.file("old.txt")), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);   // no temporary left
}

TEST(LisaFile, LogsTheSizeAndTheFirstByte)
{
    TempDir dir;
    writeBytes(dir.file("a.ima"), {'L', 1, 2, 3, 4});
    RecordingReporter r;
    EXPECT_TRUE(inspectLisaFile(dir.file("a.ima"), r));
    EXPECT_TRUE(r.hasSequence({"File size is 5 bytes.", "accumulator5 is L"}));
    writeBytes(dir.file("e.ima"), {});
    RecordingReporter e;
    EXPECT_FALSE(inspectLisaFile(dir.file("e.ima"), e));
    EXPECT_EQ(e.lines.back(), kLisaFailedLine);
}

TEST(JpegReader, RefusesDamagedTruncatedAndOversizedStreams)
{
    const std::vector<std::uint8_t> rgb(64 * 64 * 3, 0x66);
    const auto bytes = encodeJpeg(rgb.data(), 64, 64);
    ASSERT_FALSE(bytes.empty());
    const std::vector<std::uint8_t> truncated(bytes.begin(), bytes.begin() + std::ptrdiff_t(bytes.size() / 2));
    EXPECT_EQ(std::vector<bool>({bool(decodeJpeg({})), bool(decodeJpeg(std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF})),
                                 bool(decodeJpeg(truncated)), bool(decodeJpeg(bytes, 64 * 64 - 1)),
                                 bool(decodeJpeg(bytes, 64 * 64))}),
              (std::vector<bool>{false, false, false, false, true}));
}
