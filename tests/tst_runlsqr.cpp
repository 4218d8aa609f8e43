// "Run Gridmend" with LSQR iterations in the main window.
#include "app/MainWindow.h"
#include "app/RunCommand.h"
#include "engine/Interpolation.h"

#include <QAction>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

// The LSQR path through the window (the relaxation-only run and the enabling rules: tst_mainwindow); then a
// switch error and a reader failure keep the previous solution and the menus.
TEST(RunLsqr, SessionGridKeepsItsInputAndFailuresKeepThePreviousSolution)
{
    MainWindow w;
    w.beepPauseMs = 0;
    SessionState& s = w.session();
    s.inputGrid = IntGrid(6, 6, 255);   // north row first, 255 = no data; six known postings
    for (auto [r, c, z] : {std::tuple{0, 0, 120}, {0, 5, 110}, {2, 3, 90}, {3, 1, 70}, {5, 0, 40}, {5, 5, 60}})
        (*s.inputGrid)(r, c) = z;
    s.numberElevationRows = s.numberElevationColumns = 6;
    s.inputKind = InputKind::SessionGridInput;
    std::tie(s.lsqrIterations, s.laplacianIterations, s.polishIterations, s.scaleFactor) = std::tuple(5, 30, 1, 1.0);
    w.setRunEnabled(true);
    auto log = [&] { return w.diagnosticsLog()->toPlainText().split('\n'); };
    w.action("actionRunGridmend")->trigger();
    ASSERT_TRUE(s.solutionGrid);
    // The LSQR path leaves the input grid in place. Solution row 0 is the southern row: the south-west known
    // posting (40) pulls it down.
    EXPECT_EQ(std::tuple(bool(s.inputGrid), bool(s.lastInterpolationProblem), log().last(), w.beepCount,
                         (*s.solutionGrid)(0, 0) < (*s.solutionGrid)(5, 0)),
              std::tuple(true, true, QString("Done interpolating file."), 3, true));
    const RealGrid previous = *s.solutionGrid;
    for (auto [kind, file, lastLine] : {std::tuple{InputKind::NoInput, "", "Switch error"},
                                        {InputKind::CsvInput, "/nonexistent-dir/absent.csv", " "}}) {
        s.inputKind = kind;
        s.inputFileName = file;
        w.setRunEnabled(true);
        const int linesBefore = int(log().size());
        w.RunGridmend1Click();
        const QStringList added = log().mid(linesBefore);
        ASSERT_TRUE(s.solutionGrid);
        // The problem is released as the Run started.
        EXPECT_EQ(std::tuple(added.last(), added.contains("Done interpolating file."), w.beepCount,
                             *s.solutionGrid == previous, w.action("actionRunGridmend")->isEnabled(),
                             w.action("actionView")->isEnabled(), bool(s.lastInterpolationProblem)),
                  std::tuple(QString(lastLine), false, 3, true, true, true, false));
    }
}
