#include "formats/TextGrid.h"
#include "TestFiles.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(TextGrid, ReadsNumbersInFileOrderSeparatedByAnyWhiteSpace)
{
    const TextGridRead r = parseTextGrid("1 2.5\t-3\r\n4e1\n\n  0   6", 2, 3);
    EXPECT_EQ(std::pair(r.valuesRead, r.grid), std::pair(6ul, gridOf<RealGrid>({{1, 2.5, -3}, {40, 0, 6}})));
}

TEST(TextGrid, StopsAtTheFirstNonNumberAndLeavesTheRestUnknown)
{
    for (const char* text : {"1 2 x 4", "1 2 3abc 4", "1 2 nan 4", "1 2"}) {
        const TextGridRead r = parseTextGrid(text, 2, 2);
        EXPECT_EQ(std::pair(r.valuesRead, r.grid), std::pair(2ul, gridOf<RealGrid>({{1, 2}, {0, 0}}))) << text;
    }
}

TEST(TextGrid, AsciiMatrixIsRowZeroFirstInTenCharacterFields)
{
    EXPECT_EQ(formatAsciiMatrix(gridOf<RealGrid>({{1, 2}, {3, 4}})), "    1.0000    2.0000\n    3.0000    4.0000\n");
    EXPECT_EQ(formatAsciiMatrix(gridOf<RealGrid>({{-12345.67891, 123456789.5, 1}})),
              " -12345.6789 123456789.5000    1.0000\n");
}

TEST(TextGrid, EveryAsciiMatrixReadsBackAsWritten)
{
    const std::vector<double> values = {-32768, 99999.5, 100000, -9999.99999, 1e12, 0.00004, -0.5, 5e-5, 1};
    const RealGrid g = gridOf<RealGrid>({{values.begin(), values.begin() + 3},
                                         {values.begin() + 3, values.begin() + 6},
                                         {values.begin() + 6, values.end()}});
    const TextGridRead back = parseTextGrid(formatAsciiMatrix(g), 3, 3);
    ASSERT_EQ(back.valuesRead, 9u);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_NEAR(back.grid.data()[i], values[i], 0.00005 * (1 + std::abs(values[i]) * 1e-12)) << values[i];
}

