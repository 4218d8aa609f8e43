#include "app/SessionState.h"
#include "app/SolverParameters.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

TEST(SessionState, TransfersFlipBetweenNorthFirstAndSouthFirst)
{
    SessionState s;
    s.solutionFromGrid(gridOf<IntGrid>({{1, 2}, {3, 4}}));   // north row first
    // Solution row 0 is the southern row.
    ASSERT_EQ(std::pair(s.numberElevationRows, s.solutionGrid),
              std::pair(2, std::optional(gridOf<RealGrid>({{3, 4}, {1, 2}}))));
    (*s.solutionGrid)(0, 0) = -2.7;
    s.inputGridFromSolution();
    EXPECT_EQ(s.inputGrid,
              std::optional(gridOf<IntGrid>({{1, 2}, {-2, 4}})));   // truncated toward zero, back north-first
}

TEST(SolverParameters, SubmitLogsStoresAndChecksInTheFormsOrder)
{
    using T = SolverParameterTexts;
    const std::tuple<T, bool, ParameterFailure> cases[] = {
        {T{"4", "4", "0", "100", "10", "1.0"}, false, ParameterFailure::None},
        {T{"3", "4", "0", "100", "10", "1.0"}, false, ParameterFailure::OutOfRange},
        {T{"4", "4", "0", "100", "10", "-1"}, false, ParameterFailure::OutOfRange},
        {T{"4", "4", "0", "100", "10", "0"}, false, ParameterFailure::None},
        // An earlier range failure hides a later text that does not convert.
        {T{"4", "4", "-1", "abc", "10", "1"}, false, ParameterFailure::OutOfRange},
        // With the size from the input the row and column boxes are not read.
        {T{"", "x", "5", "100", "10", "1"}, true, ParameterFailure::None},
        {T{"", "", "5", "100", "", "1"}, true, ParameterFailure::Empty},
    };
    for (const auto& [texts, sizeFromInput, expected] : cases) {
        SessionState s;
        RecordingReporter log;
        EXPECT_EQ(submitSolverParameters(s, texts, sizeFromInput, log), expected) << texts.rows;
        EXPECT_EQ(std::pair(s.parametersSubmitted, log.lines.empty()), std::pair(expected == ParameterFailure::None,
                                                                                 expected != ParameterFailure::None));
    }
}

TEST(SolverParameters, SixBoxSubmitLogsTheSizeAndLeavesAcceptedAlone)
{
    SessionState s;
    s.parametersAccepted = false;
    RecordingReporter log;
    const SolverParameterTexts t{"120", "80", "0", "50", "3", "2.5"};
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
    EXPECT_EQ(std::pair(s.parametersAccepted, log4.lines.front()),
              std::pair(true, std::string("LSQR Iterations is:  0")));
    // Nothing submitted: the stored texts are empty and do not convert.
    SessionState empty;
    EXPECT_EQ(convertIterationTexts(empty).value_or(""), "Text box entry must be an integer!");
    empty.laplacianIterationsText = "1", empty.lsqrIterationsText = "2";
    EXPECT_EQ(convertIterationTexts(empty).value_or(""), "Text box entry must be a double!");
}
