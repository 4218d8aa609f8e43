#include "app/MainWindow.h"
#include "app/RunCommand.h"
#include "engine/Relaxation.h"

#include <QAction>
#include <QPlainTextEdit>
#include <gtest/gtest.h>
#include <tuple>

namespace {

QStringList logLines(MainWindow& w)
{
    return w.diagnosticsLog()->toPlainText().split('\n');
}

/// The items a finished Run enables; none is enabled before.
const char* const kAfterRun[] = {"actionSaveAscii", "actionSaveAsciiDem", "actionSaveSrtm", "actionView",
                                 "actionSaveBsq", "actionSaveTerragen", "actionSaveElevationArray",
                                 "actionSavePovRayTga", "actionSaveGrayscaleTga", "actionSaveDted1",
                                 "actionSave3dImage", "actionSaveGeoTiff"};

} // namespace

TEST(MainWindow, RunRelaxesTheSessionGridAndAppliesTheEnablingRules)
{
    MainWindow w;
    w.beepPauseMs = 0;
    SessionState& s = w.session();
    s.inputGrid = IntGrid(4, 4, 255);   // north row first; 255 = no data
    (*s.inputGrid)(0, 0) = (*s.inputGrid)(0, 3) = 100;
    (*s.inputGrid)(3, 0) = (*s.inputGrid)(3, 3) = 40;
    s.numberElevationRows = s.numberElevationColumns = 4;
    s.inputKind = InputKind::SessionGridInput;
    s.laplacianIterations = 200;
    for (const char* name : kAfterRun) EXPECT_FALSE(w.action(name)->isEnabled()) << name;
    w.setRunEnabled(true);
    w.action("actionRunGridmend")->trigger();

    ASSERT_TRUE(s.solutionGrid);
    // The input grid is released; solution row 0 is the south row.
    EXPECT_EQ(std::tuple(bool(s.inputGrid), s.inputGridReleased, s.solutionAllocated, w.beepCount),
              std::tuple(false, true, true, 3));
    EXPECT_EQ(std::pair((*s.solutionGrid)(0, 0), (*s.solutionGrid)(3, 3)), std::pair(40.0, 100.0));
    EXPECT_EQ(logLines(w).mid(1), (QStringList{" ", "Computing Initial Estimate", "Done interpolating file."}));
    EXPECT_FALSE(w.action("actionRunGridmend")->isEnabled());
    for (const char* name : kAfterRun) EXPECT_TRUE(w.action(name)->isEnabled()) << name;
}

TEST(MainWindow, SurfaceMenuChoosesWhatRunComputesInPlaceOfTheSweeps)
{
    MainWindow w;
    w.beepPauseMs = 0;
    SessionState& s = w.session();
    w.action("actionSurfaceThinPlate")->trigger();
    EXPECT_EQ(s.surface.mode, SurfaceMode::ThinPlate);
    w.action("actionSurfaceHarmonic")->trigger();

    // Run then solves the harmonic surface instead of sweeping (no sweeps would leave the void at 0).
    s.laplacianIterations = 0;
    s.inputGrid = IntGrid(5, 5, 60);
    (*s.inputGrid)(2, 2) = 255;
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
    EXPECT_EQ(w.session().solutionGrid, RealGrid(5, 5, 0.0));
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
    };
    for (const Case& c : cases) {
        MainWindow w;
        w.beepPauseMs = 0;
        w.session().inputKind = c.kind;
        w.session().inputGridReleased = c.releasedGrid;
        w.setRunEnabled(true);
        w.RunGridmend1Click();
        EXPECT_EQ(logLines(w).last(), c.line);
        EXPECT_EQ(std::tuple(w.beepCount, bool(w.session().solutionGrid), w.action("actionRunGridmend")->isEnabled(),
                             w.action("actionView")->isEnabled()),
                  std::tuple(0, false, true, false));
    }
}
