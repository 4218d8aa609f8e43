#include "formats/AsterHdf.h"
#include "RecordingReporter.h"
#include "FormatSamples.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>

namespace {

using Lines = std::vector<std::string>;
std::string n(std::int64_t v) { return std::to_string(v); }

} // namespace

TEST(AsterHdf, SixteenBitDataSetWithEveryLogLine)
{
    HdfLayout layout;
    layout.rows = 2000, layout.cols = 2300;   // 9,200,000 bytes: a data set the reader picks
    layout.sample = [](std::vector<std::uint8_t>& out, std::size_t i) {
        put16(out, i == 0 ? 0xFFFF : i == 1 ? 0x8001 : std::uint32_t((i / 2300) * 3 + i % 2300 % 7));
    };
    const HdfFile file = hdfFile(layout);
    RecordingReporter rec;
    const auto grid = parseAsterHdf(file.bytes, rec);
    ASSERT_TRUE(grid);
    EXPECT_EQ(std::tuple(grid->rows(), grid->cols(), cellsAt(*grid, {{0, 0}, {0, 1}, {1, 0}, {1999, 2299}})),
              std::tuple(2000, 2300, std::vector<std::int32_t>{-1, -32767, 3, 1999 * 3 + 2299 % 7}));
    EXPECT_EQ(rec.lines, (Lines{"my_hdf_dd_array[0].high_byte_Tag is:\t0", "my_hdf_dd_array[0].low_byte_Tag is:\t30",
                                "The list size is:\t\t\t5", "sd_reference is:\t\t\t2", "low_byte_Tag is:\t\t\t208",
                                "ndg_offset is:\t\t\t" + n(file.ndgOffset), "ndg_length is:\t\t\t16",
                                "The list size is:\t\t\t12", "nt_ref is:\t\t\t\t5",
                                "sdd_offset is:\t\t\t" + n(file.sddOffset), "data_dimension is:\t\t\t2",
                                "ImageLength is:\t\t\t2000", "ImageWidth is:\t\t\t2300",
                                "nt_offset is:\t\t\t" + n(file.ntOffset), "data_width is:\t\t\t16", "sd_ref is:\t\t\t\t2",
                                "sd_offset is:\t\t\t" + n(file.sdOffset), "sd_length is:\t\t\t9200000", "2000", "2300",
                                "Length Check\t\t\tOK", "Done", "  ", "Generating ASTER image."}));
    EXPECT_TRUE(rec.notices.empty());
}

TEST(AsterHdf, ThirtyTwoBitFloatsTruncatedAndNullWhereNoIntegerExists)
{
    HdfLayout layout;
    layout.rows = 1500, layout.cols = 1600, layout.width = 32;   // 9,600,000 bytes
    const std::uint32_t special[] = {0x42F6E979, 0xC2F6E979, 0x7FC00000, 0x501502F9, 0xCF000000, 0x7F800000};
    layout.sample = [&](std::vector<std::uint8_t>& out, std::size_t i) {
        if (i < 6) put32(out, special[i]);
        else putFloat(out, float(i % 1600) + 0.75f);
    };
    RecordingReporter rec;
    const auto grid = parseAsterHdf(hdfFile(layout).bytes, rec);
    ASSERT_TRUE(grid);
    // 123.456, -123.456, NaN, 1e10, -2^31, inf, then 7.75.
    EXPECT_EQ(
        cellsAt(*grid, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {1, 7}}),
        (std::vector<std::int32_t>{123, -123, -32768, -32768, std::numeric_limits<std::int32_t>::min(), -32768, 7}));
    EXPECT_TRUE(rec.has("data_width is:\t\t\t32") && rec.has("Length Check\t\t\tOK"));
}

TEST(AsterHdf, LaterLargeDataSetAndFirstMatchingGroupAreUsed)
{
    HdfLayout layout;
    layout.rows = 2000, layout.cols = 2300;
    layout.decoyDataSet = true;
    layout.decoyGroup = true;
    RecordingReporter rec;
    const auto grid = parseAsterHdf(hdfFile(layout).bytes, rec);
    ASSERT_TRUE(grid);
    EXPECT_EQ((*grid)(0, 5), 5);
    EXPECT_TRUE(rec.hasSequence({"sd_reference is:\t\t\t9", "sd_reference is:\t\t\t2"}));
    EXPECT_EQ(std::count(rec.lines.begin(), rec.lines.end(), "low_byte_Tag is:\t\t\t208"), 2);   // the decoy is skipped
}

TEST(AsterHdf, LengthOneByteShortRaisesTheErrorWindowAndStillReads)
{
    HdfLayout layout;
    layout.rows = 2000, layout.cols = 2300, layout.lengthDelta = -1;
    RecordingReporter rec;
    const auto grid = parseAsterHdf(hdfFile(layout).bytes, rec);
    ASSERT_TRUE(grid);
    EXPECT_EQ((*grid)(1999, 2299), int((2000 * 2300 - 1) % 30000));
    EXPECT_TRUE(rec.has("\t\t\t\tLength Check Error"));
    EXPECT_EQ(rec.notices, (decltype(rec.notices){{"Error!", "This does not appear to be a valid \nASTER DEM .hdf file.\n"
                                                             "It may be a different type of .hdf file, \nand may even be an"
                                                             "\nASTER L1A or L1B file.  However, \nthis program only\nreds "
                                                             "ASTER DEM files.\n\nExiting."}}));
}

TEST(AsterHdf, SmallFilesCountsAndMagic)
{
    HdfLayout layout;   // 3 x 4: too small to be picked, the only group still gives the references
    layout.countField = 0x0105;   // 261 descriptors claimed: only the low byte counts
    auto file = hdfFile(layout);
    file.bytes[1] = 0x04;       // magic mismatch
    RecordingReporter rec;
    const auto grid = parseAsterHdf(file.bytes, rec);
    ASSERT_TRUE(grid);
    EXPECT_EQ(std::tuple(rec.lines.front(), rec.has("The list size is:\t\t\t5"), rec.has("sd_reference is:\t\t\t2"),
                         (*grid)(2, 3), rec.has("Length Check\t\t\tOK")),
              std::tuple("Error", true, false, 11, true));
}

TEST(AsterHdf, MalformedFilesGiveNoGridOrAZeroGrid)
{
    struct Case {
        const char* name;
        HdfLayout layout;
        std::size_t cutTo = 0;   // 0: whole file
    };
    std::vector<Case> cases;
    cases.push_back({"three dimensions", [] { HdfLayout s; s.dimensions = 3; return s; }()});
    cases.push_back({"zero rows", [] { HdfLayout s; s.rows = 0; return s; }()});
    cases.push_back({"data set larger than the file", HdfLayout{}, 0});
    cases.back().cutTo = hdfFile(HdfLayout{}).bytes.size() - 1;
    cases.push_back({"huge dimensions", [] { HdfLayout s; s.rows = 0x7FFFFFFF; s.cols = 0x7FFFFFFF; return s; }()});
    for (const Case& c : cases) {
        auto bytes = hdfFile(c.layout).bytes;
        if (c.cutTo) bytes.resize(c.cutTo);
        RecordingReporter rec;
        EXPECT_FALSE(parseAsterHdf(bytes, rec)) << c.name;
        EXPECT_EQ(std::pair(std::count(rec.lines.begin(), rec.lines.end(), "Image Size Error"), rec.has("Done")),
                  std::pair(1l, false))
            << c.name;
    }

    HdfLayout eightBits;
    eightBits.width = 8;
    RecordingReporter rec;
    const auto zero = parseAsterHdf(hdfFile(eightBits).bytes, rec);
    ASSERT_TRUE(zero);
    EXPECT_EQ(*zero, IntGrid(3, 4, 0));
    EXPECT_TRUE(rec.hasSequence({"data_width Error", "data_width is:\t\t\t8"}));

    for (std::size_t size : {0u, 1u, 5u, 9u, 30u}) {   // cut inside the header and the descriptors
        auto bytes = hdfFile(HdfLayout{}).bytes;
        bytes.resize(size);
        RecordingReporter cut;
        EXPECT_FALSE(parseAsterHdf(bytes, cut)) << size;
    }

    RecordingReporter missing;
    EXPECT_FALSE(readAsterHdf("/nonexistent-dir/x.hdf", missing));
    EXPECT_EQ(missing.lines, (Lines{"Failed to open HDF file."}));
}
