#include "app/SessionState.h"
#include "app/SolverParameters.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

TEST(SessionState, TransfersFlipBetweenNorthFirstAndSouthFirst)
{
    SessionState s;
    s.solutionFromGrid(gridOf<IntGrid>({{1, 2}, {3, 4}}));   // north row first
    ASSERT_TRUE(s.solutionGrid);
    // Solution row 0 is the southern row.
    EXPECT_EQ(std::pair(s.numberElevationRows, *s.solutionGrid), std::pair(2, gridOf<RealGrid>({{3, 4}, {1, 2}})));
    (*s.solutionGrid)(0, 0) = -2.7;
    s.inputGridFromSolution();
    ASSERT_TRUE(s.inputGrid);
    EXPECT_EQ(*s.inputGrid, gridOf<IntGrid>({{1, 2}, {-2, 4}}));   // truncated toward zero, back north-first
}

TEST(SolverParameters, SubmitLogsStoresAndChecksInTheFormsOrder)
{
    struct Case {
        SolverParameterTexts texts;
        bool sizeFromInput;
        ParameterFailure expected;
    };
    auto t = [](const char* rows, const char* cols, const char* lsqr, const char* lap, const char* ref,
                const char* scale) {
        SolverParameterTexts x;
        x.rows = rows; x.columns = cols; x.lsqr = lsqr; x.laplacian = lap; x.refining = ref; x.scale = scale;
        return x;
    };
    const Case cases[] = {
        {t("4", "4", "0", "100", "10", "1.0"), false, ParameterFailure::None},
        {t("3", "4", "0", "100", "10", "1.0"), false, ParameterFailure::OutOfRange},
        {t("4", "4", "0", "100", "10", "-1"), false, ParameterFailure::OutOfRange},
        {t("4", "4", "0", "100", "10", "0"), false, ParameterFailure::None},
        // An earlier range failure hides a later text that does not convert.
        {t("4", "4", "-1", "abc", "10", "1"), false, ParameterFailure::OutOfRange},
        // With the size from the input the row and column boxes are not read.
        {t("", "x", "5", "100", "10", "1"), true, ParameterFailure::None},
        {t("", "", "5", "100", "", "1"), true, ParameterFailure::Empty},
    };
    for (const Case& c : cases) {
        SessionState s;
        RecordingReporter log;
        EXPECT_EQ(submitSolverParameters(s, c.texts, c.sizeFromInput, log), c.expected) << c.texts.rows;
        EXPECT_EQ(s.parametersSubmitted, c.expected == ParameterFailure::None);
        if (c.expected != ParameterFailure::None) EXPECT_TRUE(log.lines.empty());
    }
}

TEST(SolverParameters, SixBoxSubmitLogsTheSizeAndLeavesAcceptedAlone)
{
    SessionState s;
    s.parametersAccepted = false;
    RecordingReporter log;
    SolverParameterTexts t;
    t.rows = "120"; t.columns = "80"; t.lsqr = "0"; t.laplacian = "50"; t.refining = "3"; t.scale = "2.5";
    ASSERT_EQ(submitSolverParameters(s, t, false, log), ParameterFailure::None);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"number of rows is:  120", "number of columns is:  80",
                                                   "LSQR Iterations is:  0", "Laplacian Iterations is:  50",
                                                   "Scale Factor is:  2.5", "Refining Iterations is:  3", " ",
                                                   "Select 'Run' from main menu. "}));
    EXPECT_FALSE(convertGridSizeTexts(s) || convertIterationTexts(s));
    EXPECT_EQ(std::tuple(s.parametersAccepted, s.polishIterations, s.rowsText, s.numberElevationRows,
                         s.laplacianIterations, s.scaleFactor),
              std::tuple(false, 3, "120", 120, 50, 2.5));

    // The four-box form accepts and does not log the size.
    RecordingReporter log4;
    ASSERT_EQ(submitSolverParameters(s, t, true, log4), ParameterFailure::None);
    EXPECT_TRUE(s.parametersAccepted);
    EXPECT_EQ(log4.lines.front(), "LSQR Iterations is:  0");
}

TEST(SolverParameters, ConversionOfAnEmptyStoredTextReportsTheMessage)
{
    SessionState s;   // nothing submitted: every text is empty
    EXPECT_EQ(convertIterationTexts(s).value_or(""), "Text box entry must be an integer!");
    s.laplacianIterationsText = "1";
    s.lsqrIterationsText = "2";
    EXPECT_EQ(*convertIterationTexts(s), "Text box entry must be a double!");
}
