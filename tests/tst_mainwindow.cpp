#include "app/MainWindow.h"
#include "app/RunCommand.h"
#include "engine/Relaxation.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QTimer>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

QStringList logLines(MainWindow& w)
{
    return w.diagnosticsLog()->toPlainText().split('\n');
}

IntGrid northGrid()
{
    // 4 x 4 contour grid, north row first; 255 = no data.
    IntGrid g(4, 4, 255);
    g(0, 0) = 100; g(0, 3) = 100; g(3, 0) = 40; g(3, 3) = 40;
    return g;
}

/// The items a finished Run enables; none is enabled at start-up.
const char* const kAfterRun[] = {"actionSaveAscii", "actionSaveAsciiDem", "actionSaveSrtm", "actionView",
                                 "actionSaveBsq", "actionSaveTerragen", "actionSaveElevationArray",
                                 "actionSavePovRayTga", "actionSaveGrayscaleTga", "actionSaveDted1",
                                 "actionSave3dImage", "actionSaveGeoTiff"};

} // namespace

TEST(MainWindow, StartUpDisablesRunViewAndTheSaveItems)
{
    MainWindow w;
    for (const char* name : kAfterRun) EXPECT_FALSE(w.action(name)->isEnabled()) << name;
    EXPECT_FALSE(w.action("actionRunGridmend")->isEnabled());
    EXPECT_FALSE(w.action("actionSaveImage")->isEnabled());
    for (const char* name : {"actionOpen", "actionOpenReferenceImage", "actionExit", "actionHelp", "actionAbout"})
        EXPECT_TRUE(w.action(name)->isEnabled()) << name;
}

TEST(MainWindow, RunRelaxesTheSessionGridAndAppliesTheEnablingRules)
{
    MainWindow w;
    w.beepPauseMs = 0;
    SessionState& s = w.session();
    s.inputGrid = northGrid();
    s.numberElevationRows = s.numberElevationColumns = 4;
    s.inputKind = InputKind::SessionGridInput;
    s.laplacianIterations = 200;
    w.setRunEnabled(true);
    w.action("actionRunGridmend")->trigger();

    ASSERT_TRUE(s.solutionGrid);
    EXPECT_FALSE(s.inputGrid);            // the input grid is released
    EXPECT_TRUE(s.inputGridReleased);
    EXPECT_TRUE(s.solutionAllocated);
    EXPECT_EQ((*s.solutionGrid)(0, 0), 40.0);   // solution row 0 is the south row
    EXPECT_EQ((*s.solutionGrid)(3, 3), 100.0);
    const double middle = (*s.solutionGrid)(1, 1);
    EXPECT_GT(middle, 40.0);
    EXPECT_LT(middle, 100.0);
    EXPECT_EQ(w.beepCount, 3);
    const QStringList lines = logLines(w);
    EXPECT_EQ(lines.mid(1), (QStringList{" ", "Computing Initial Estimate", "Done interpolating file."}));
    EXPECT_FALSE(w.action("actionRunGridmend")->isEnabled());
    for (const char* name : kAfterRun) EXPECT_TRUE(w.action(name)->isEnabled()) << name;
    EXPECT_FALSE(w.action("actionSaveImage")->isEnabled());   // stays as it was
}

TEST(MainWindow, SurfaceMenuChoosesWhatRunComputesInPlaceOfTheSweeps)
{
    MainWindow w;
    w.beepPauseMs = 0;
    SessionState& s = w.session();
    EXPECT_TRUE(w.action("actionSurfaceSweeps")->isChecked());   // the default
    // Tension asks for its value; Cancel keeps the previous choice.
    auto answer = [](bool accept, double value) {
        QTimer::singleShot(0, [=] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->setDoubleValue(value);
            if (accept) dialog->accept();
            else dialog->reject();
        });
    };
    answer(false, 0.9);
    w.action("actionSurfaceTension")->trigger();
    EXPECT_EQ(s.surface.mode, SurfaceMode::Sweeps);
    EXPECT_TRUE(w.action("actionSurfaceSweeps")->isChecked());
    answer(true, 0.4);
    w.action("actionSurfaceTension")->trigger();
    EXPECT_EQ(s.surface.mode, SurfaceMode::Tension);
    EXPECT_EQ(s.surface.tension, 0.4);
    w.action("actionSurfaceHarmonic")->trigger();
    EXPECT_EQ(s.surface.mode, SurfaceMode::Harmonic);

    // Run then solves the harmonic surface instead of sweeping (no sweeps would leave the void at 0).
    s.laplacianIterations = 0;
    IntGrid g(5, 5, 60);
    g(2, 2) = 255;
    s.inputGrid = g;
    s.numberElevationRows = s.numberElevationColumns = 5;
    s.inputKind = InputKind::SessionGridInput;
    w.RunGridmend1Click();
    ASSERT_TRUE(s.solutionGrid);
    EXPECT_DOUBLE_EQ((*s.solutionGrid)(2, 2), 60.0);
    EXPECT_TRUE(logLines(w).contains("Computing Converged Surface: harmonic"));
}

TEST(MainWindow, AllUnknownGridGivesZerosAndClippingWaitsForLsqr)
{
    MainWindow w;
    w.beepPauseMs = 0;
    w.session().inputGrid = IntGrid(5, 5, 255);
    w.session().laplacianIterations = 10;
    w.RunGridmend1Click();
    ASSERT_TRUE(w.session().solutionGrid);
    for (double v : w.session().solutionGrid->cells()) EXPECT_EQ(v, 0.0);
}

TEST(MainWindow, RefusedRunsChangeNothingAndDoNotBeep)
{
    struct Case {
        InputKind kind;
        bool releasedGrid;
        const char* line;
    };
    const Case cases[] = {
        {InputKind::SessionGridInput, true, kRunInputReleasedLine},
        {InputKind::NoInput, false, kRunNoInputLine},
        {InputKind::TextGridInput, false, kRunNeedsLsqrLine},
        {InputKind::CsvInput, false, kRunNeedsLsqrLine},
    };
    for (const Case& c : cases) {
        MainWindow w;
        w.beepPauseMs = 0;
        w.session().inputKind = c.kind;
        w.session().inputGridReleased = c.releasedGrid;
        w.setRunEnabled(true);
        w.RunGridmend1Click();
        EXPECT_EQ(logLines(w).last(), c.line);
        EXPECT_EQ(w.beepCount, 0);
        EXPECT_FALSE(w.session().solutionGrid);
        EXPECT_TRUE(w.action("actionRunGridmend")->isEnabled());
        EXPECT_FALSE(w.action("actionView")->isEnabled());
    }
}

TEST(MainWindow, TinyGridsAreRefusedBeforeSolving)
{
    MainWindow w;
    w.beepPauseMs = 0;
    w.session().inputGrid = IntGrid(1, 6, 10);
    w.RunGridmend1Click();
    EXPECT_EQ(logLines(w).last(), kGridTooSmallLine);
    EXPECT_EQ(w.beepCount, 0);
    EXPECT_TRUE(w.session().inputGrid);   // not used up
}
