#include "formats/AsterHdf.h"
#include "RecordingReporter.h"
#include "FormatSamples.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <limits>

using Lines = std::vector<std::string>;

TEST(AsterHdf, SixteenBitDataSetAndItsSizeLines)
{
    HdfLayout layout;
    layout.rows = 2000, layout.cols = 2300;   // 9,200,000 bytes: a data set the reader picks
    layout.sample = [](std::vector<std::uint8_t>& out, std::size_t i) {
        put16(out, i == 0 ? 0xFFFF : i == 1 ? 0x8001 : std::uint32_t((i / 2300) * 3 + i % 2300 % 7));
    };
    RecordingReporter rec;
    const auto grid = parseAsterHdf(hdfFile(layout), rec);
    ASSERT_TRUE(grid);
    EXPECT_EQ(std::tuple(grid->rows(), grid->cols(), cellsAt(*grid, {{0, 0}, {0, 1}, {1, 0}, {1999, 2299}})),
              std::tuple(2000, 2300, std::vector<std::int32_t>{-1, -32767, 3, 1999 * 3 + 2299 % 7}));
    EXPECT_TRUE(rec.hasSequence({"sd_length is:\t\t\t9200000", "2000", "2300", "Length Check\t\t\tOK", "Done", "  ",
                                 "Generating ASTER image."}));
    EXPECT_TRUE(rec.notices.empty());
}

TEST(AsterHdf, ThirtyTwoBitFloatsTruncatedAndNullWhereNoIntegerExists)
{
    HdfLayout layout;
    layout.rows = 1500, layout.cols = 1600, layout.width = 32;   // 9,600,000 bytes
    const std::uint32_t special[] = {0x42F6E979, 0xC2F6E979, 0x7FC00000, 0x501502F9, 0xCF000000, 0x7F800000};
    layout.sample = [&](std::vector<std::uint8_t>& out, std::size_t i) {
        if (i < 6) put32(out, special[i]);
        else put32(out, std::bit_cast<std::uint32_t>(float(i % 1600) + 0.75f));
    };
    RecordingReporter rec;
    const auto grid = parseAsterHdf(hdfFile(layout), rec);
    ASSERT_TRUE(grid);   // 123.456, -123.456, NaN, 1e10, -2^31, inf, then 7.75
    EXPECT_EQ(
        cellsAt(*grid, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {1, 7}}),
        (std::vector<std::int32_t>{123, -123, -32768, -32768, std::numeric_limits<std::int32_t>::min(), -32768, 7}));
}

TEST(AsterHdf, LaterLargeDataSetFirstMatchingGroupAndLowByteOfTheCount)
{
    HdfLayout layout;
    layout.rows = 2000, layout.cols = 2300, layout.decoyDataSet = layout.decoyGroup = true;
    RecordingReporter rec;
    const auto grid = parseAsterHdf(hdfFile(layout), rec);
    EXPECT_EQ(
        std::pair(grid ? (*grid)(0, 5) : -1, rec.hasSequence({"sd_reference is:\t\t\t9", "sd_reference is:\t\t\t2"})),
        std::pair(5, true));

    HdfLayout small;   // 3 x 4: too small to be picked, the only group still gives the references
    small.countField = 0x0105;   // 261 descriptors claimed: only the low byte counts
    auto file = hdfFile(small);
    file[1] = 0x04;       // magic mismatch
    RecordingReporter smallRec;
    const auto smallGrid = parseAsterHdf(file, smallRec);
    ASSERT_TRUE(smallGrid);
    EXPECT_EQ(std::tuple(smallRec.lines.front(), smallRec.has("sd_reference is:\t\t\t2"), (*smallGrid)(2, 3)),
              std::tuple("Error", false, 11));
}

TEST(AsterHdf, LengthOneByteShortRaisesTheErrorWindowAndStillReads)
{
    HdfLayout layout;
    layout.rows = 2000, layout.cols = 2300, layout.lengthDelta = -1;
    RecordingReporter rec;
    const auto grid = parseAsterHdf(hdfFile(layout), rec);
    ASSERT_TRUE(grid);
    EXPECT_EQ((*grid)(1999, 2299), int((2000 * 2300 - 1) % 30000));
    EXPECT_EQ(rec.notices,
              (decltype(rec.notices){{"Error!",
                                      "This does not appear to be a valid \nASTER DEM .hdf file.\n"
                                      "It may be a different type of .hdf file, \nand may even be an"
                                      "\nASTER L1A or L1B file.  However, \nthis program only\nreds "
                                      "ASTER DEM files.\n\nExiting."}}));
}

TEST(AsterHdf, MalformedFilesGiveNoGridOrAZeroGrid)
{
    HdfLayout threeDimensions, zeroRows, huge, eightBits;
    threeDimensions.dimensions = 3, zeroRows.rows = 0, huge.rows = huge.cols = 0x7FFFFFFF, eightBits.width = 8;
    for (const HdfLayout& layout : {threeDimensions, zeroRows, huge}) {
        RecordingReporter rec;
        EXPECT_FALSE(parseAsterHdf(hdfFile(layout), rec)) << layout.rows << " " << layout.dimensions;
        EXPECT_EQ(std::pair(std::count(rec.lines.begin(), rec.lines.end(), "Image Size Error"), rec.has("Done")),
                  std::pair(1l, false)) << layout.rows << " " << layout.dimensions;
    }
    // Cut inside the header, the descriptors and the data set.
    const auto whole = hdfFile(HdfLayout{});
    for (std::size_t size :
         {std::size_t(0), std::size_t(1), std::size_t(5), std::size_t(9), std::size_t(30), whole.size() - 1}) {
        RecordingReporter cut;
        EXPECT_FALSE(parseAsterHdf(std::vector<std::uint8_t>(whole.begin(), whole.begin() + std::ptrdiff_t(size)), cut))
            << size;
    }
    RecordingReporter rec;
    EXPECT_EQ(parseAsterHdf(hdfFile(eightBits), rec), IntGrid(3, 4, 0));
    EXPECT_TRUE(rec.hasSequence({"data_width Error", "data_width is:\t\t\t8"}));
    RecordingReporter missing;
    EXPECT_FALSE(readAsterHdf("/nonexistent-dir/x.hdf", missing));
    EXPECT_EQ(missing.lines, (Lines{"Failed to open HDF file."}));
}
