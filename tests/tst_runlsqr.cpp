// "Run Gridmend" with LSQR iterations in the main window.
#include "app/MainWindow.h"
#include "app/RunCommand.h"
#include "engine/Interpolation.h"

#include <QAction>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

QStringList logLines(MainWindow& w) { return w.diagnosticsLog()->toPlainText().split('\n'); }

/// A 6 x 6 contour grid, north row first, 255 = no data; six known postings.
IntGrid contourGrid()
{
    IntGrid g(6, 6, 255);
    g(0, 0) = 120; g(0, 5) = 110; g(2, 3) = 90; g(3, 1) = 70; g(5, 0) = 40; g(5, 5) = 60;
    return g;
}

void prepareLsqrRun(MainWindow& w, InputKind kind)
{
    w.beepPauseMs = 0;
    SessionState& s = w.session();
    s.inputGrid = contourGrid();
    s.numberElevationRows = s.numberElevationColumns = 6;
    s.inputKind = kind;
    std::tie(s.lsqrIterations, s.laplacianIterations, s.polishIterations, s.scaleFactor) = std::tuple(5, 30, 1, 1.0);
    w.setRunEnabled(true);
}

} // namespace

// The LSQR path through the window (the relaxation-only run and the enabling rules: tst_mainwindow).
TEST(RunLsqr, SessionGridKeepsItsInputAndTheProblem)
{
    MainWindow w;
    prepareLsqrRun(w, InputKind::SessionGridInput);
    testing::internal::CaptureStdout();
    w.action("actionRunGridmend")->trigger();
    EXPECT_NE(testing::internal::GetCapturedStdout().find("\tThe matrix A has      42 rows and      36 columns\n"),
              std::string::npos);
    SessionState& s = w.session();
    ASSERT_TRUE(s.solutionGrid);
    // The LSQR path leaves the input grid in place. Solution row 0 is the southern row: the south-west known
    // posting (40) pulls it down.
    EXPECT_EQ(std::tuple(bool(s.inputGrid), bool(w.session().lastInterpolationProblem), logLines(w).last(), w.beepCount,
                         (*s.solutionGrid)(0, 0) < (*s.solutionGrid)(5, 0)),
              std::tuple(true, true, QString("Done interpolating file."), 3, true));
}

TEST(RunLsqr, SwitchErrorAndReaderFailureKeepThePreviousSolutionAndTheMenus)
{
    MainWindow w;
    prepareLsqrRun(w, InputKind::SessionGridInput);
    testing::internal::CaptureStdout();
    w.RunGridmend1Click();
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(w.session().solutionGrid);
    const RealGrid previous = *w.session().solutionGrid;
    ASSERT_TRUE(w.session().lastInterpolationProblem);

    struct Case {
        InputKind kind;
        std::string file;
        QString lastLine;
    };
    const Case cases[] = {
        {InputKind::NoInput, "", "Switch error"},
        {InputKind::CsvInput, "/nonexistent-dir/absent.csv", " "},
    };
    for (const Case& c : cases) {
        w.session().inputKind = c.kind;
        w.session().inputFileName = c.file;
        w.setRunEnabled(true);
        const int linesBefore = int(logLines(w).size());
        w.RunGridmend1Click();
        const QStringList added = logLines(w).mid(linesBefore);
        ASSERT_TRUE(w.session().solutionGrid);
        // The problem is released as the Run started.
        EXPECT_EQ(std::tuple(added.last(), added.contains("Done interpolating file."), w.beepCount,
                             *w.session().solutionGrid == previous, w.action("actionRunGridmend")->isEnabled(),
                             w.action("actionView")->isEnabled(), bool(w.session().lastInterpolationProblem)),
                  std::tuple(c.lastLine, false, 3, true, true, true, false));
    }
}

