#include "formats/TextGrid.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

TEST(TextGrid, ReadsNumbersInFileOrderSeparatedByAnyWhiteSpace)
{
    const TextGridRead r = parseTextGrid("1 2.5\t-3\r\n4e1\n\n  0   6", 2, 3);
    EXPECT_EQ(r.valuesRead, 6u);
    EXPECT_EQ(r.grid(0, 1), 2.5);
    EXPECT_EQ(r.grid(1, 0), 40.0);
    EXPECT_EQ(r.grid(1, 2), 6.0);
}

TEST(TextGrid, StopsAtTheFirstNonNumberAndLeavesTheRestUnknown)
{
    for (const char* text : {"1 2 x 4", "1 2 3abc 4", "1 2 nan 4", "1 2"}) {
        const TextGridRead r = parseTextGrid(text, 2, 2);
        EXPECT_EQ(r.valuesRead, 2u) << text;
        EXPECT_EQ(r.grid(1, 0), 0.0) << text;
        EXPECT_EQ(r.grid(1, 1), 0.0) << text;
    }
}

TEST(TextGrid, ReaderLogsTheOpenerLines)
{
    TempDir dir;
    writeText(dir.file("g.txt"), "1 2 3 4");
    RecordingReporter rec;
    ASSERT_TRUE(readTextGrid(dir.file("g.txt"), 2, 2, rec));
    EXPECT_EQ(rec.lines, (std::vector<std::string>{"opened file successfully", " "}));
    RecordingReporter missing;
    EXPECT_FALSE(readTextGrid(dir.file("none.txt"), 2, 2, missing));
    EXPECT_EQ(missing.lines, (std::vector<std::string>{"could not open input file", " "}));
}

TEST(TextGrid, AsciiMatrixIsRowZeroFirstInTenCharacterFields)
{
    RealGrid g(2, 2);
    g(0, 0) = 1; g(0, 1) = 2; g(1, 0) = 3; g(1, 1) = 4;
    EXPECT_EQ(formatAsciiMatrix(g), "    1.0000    2.0000\n    3.0000    4.0000\n");
    RealGrid wide(1, 2);
    wide(0, 0) = -12345.67891;
    wide(0, 1) = 123456789.5;
    EXPECT_EQ(formatAsciiMatrix(wide), "-12345.6789123456789.5000\n");
}

TEST(TextGrid, WriterReportsAnOutputThatCannotBeCreated)
{
    RecordingReporter rec;
    EXPECT_FALSE(writeAsciiMatrix("/nonexistent-dir/out.txt", RealGrid(1, 1, 1.0), rec));
    EXPECT_EQ(rec.lines, (std::vector<std::string>{"could not open output file", "/nonexistent-dir/out.txt: No such file or directory"}));
}
