#include "formats/TextGrid.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(TextGrid, ReadsNumbersInFileOrderSeparatedByAnyWhiteSpace)
{
    const TextGridRead r = parseTextGrid("1 2.5\t-3\r\n4e1\n\n  0   6", 2, 3);
    EXPECT_EQ(r.valuesRead, 6u);
    EXPECT_EQ(r.grid(0, 1), 2.5);
    EXPECT_EQ(r.grid(1, 0), 40.0);
    EXPECT_EQ(r.grid(1, 2), 6.0);
    TempDir dir;
    writeText(dir.file("g.txt"), "1 2 3 4");
    RecordingReporter rec;
    ASSERT_TRUE(readTextGrid(dir.file("g.txt"), 2, 2, rec));
    EXPECT_EQ(rec.lines, (std::vector<std::string>{"opened file successfully", " "}));
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

TEST(TextGrid, AsciiMatrixIsRowZeroFirstInTenCharacterFields)
{
    RealGrid g(2, 2);
    g(0, 0) = 1; g(0, 1) = 2; g(1, 0) = 3; g(1, 1) = 4;
    EXPECT_EQ(formatAsciiMatrix(g), "    1.0000    2.0000\n    3.0000    4.0000\n");
    RealGrid wide(1, 3);
    wide(0, 0) = -12345.67891;
    wide(0, 1) = 123456789.5;
    wide(0, 2) = 1;
    EXPECT_EQ(formatAsciiMatrix(wide), " -12345.6789 123456789.5000    1.0000\n");
}

TEST(TextGrid, EveryAsciiMatrixReadsBackAsWritten)
{
    const std::vector<double> values = {-32768, 99999.5, 100000, -9999.99999, 1e12, 0.00004, -0.5, 5e-5, 1};
    RealGrid g(3, 3);
    for (std::size_t i = 0; i < values.size(); ++i) g.data()[i] = values[i];
    const TextGridRead back = parseTextGrid(formatAsciiMatrix(g), 3, 3);
    ASSERT_EQ(back.valuesRead, 9u);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_NEAR(back.grid.data()[i], values[i], 0.00005 * (1 + std::abs(values[i]) * 1e-12)) << values[i];
}

