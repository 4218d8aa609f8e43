// The graphics window as a user meets it, and the main window's saves with their
// round trips through Open.
#include "GraphicsWindowFixture.h"
#include "GridArt.h"
#include "TestFiles.h"

#include <QComboBox>
#include <QLabel>
#include <algorithm>

namespace {

using GraphicsFixture = GraphicsWindowFixture;

int press(QDialog& d, const char* button)
{
    d.findChild<QPushButton*>(button)->click();
    return d.result();
}

} // namespace

TEST_F(GraphicsFixture, EnablingTable)
{
    struct Row {
        const char* state;
        std::function<void()> enter;
        std::vector<const char*> on, off;
    };
    const Row rows[] = {
        {"start", [] {},
         {"actionInputData", "actionClose", "actionSaveGraphicsImage", "actionSaveIndexArray", "actionUndo",
          "actionCopyBitmap", "actionSubsetProcessImage", "actionDraw", "actionZoomIn", "actionGrayscale",
          "actionSaveSrtmHeightfield", "actionInterpolateSubsetArray", "actionSetNullDataDefinition",
          "actionResampleDem", "actionExpandDted0Dem", "actionBinarize", "actionDespeckle24Bit",
          "actionLineScanEnabled"},
         {"actionZoomOut", "actionSaveElevationArray", "actionThin", "actionDespeckle8Bit", "actionConnectLines",
          "actionExpandDted1", "menuTag"}},
        {"zoomed in", [&] { model.loadPicture(IntGrid(4, 4, 0xFFFFFF)); trigger("actionZoomIn"); },
         {"actionZoomOut"}, {"actionSubsetProcessImage"}},
        {"zoomed out", [&] { trigger("actionZoomOut"); }, {"actionSubsetProcessImage"}, {"actionZoomOut"}},
        {"line code", [&] { model.loadContourElevationArray(IntGrid(2, 2, 255)); },
         {"menuTag", "actionSaveElevationArray"}, {"actionThin"}},
        {"binarized", [&] { g.setBinarized(true); },
         {"actionThin", "actionConnectLines", "actionDespeckle8Bit"}, {"actionDespeckle24Bit"}},
        {"binarized, zoomed in", [&] { trigger("actionZoomIn"); }, {"actionConnectLines"},
         {"actionThin", "actionLineScanEnabled"}},
    };
    for (const Row& row : rows) {
        row.enter();
        for (const char* name : row.on) EXPECT_TRUE(enabled(name)) << row.state << ": " << name;
        for (const char* name : row.off) EXPECT_FALSE(enabled(name)) << row.state << ": " << name;
    }
    EXPECT_EQ(m.findChild<QLabel*>("zoomValue")->text(), "2");
}

TEST_F(GraphicsFixture, PenDialogsSetWidthAndColour)
{
    modals.answer = [](QDialog& d) {
        d.findChildren<QComboBox*>().front()->setCurrentText(d.windowTitle() == "Tool Pallatte" ? "30" : "Blue");
        return press(d, "submitButton");
    };
    trigger("actionPenWidth");
    trigger("actionPenColor");
    EXPECT_EQ(modals.shown, (QStringList{"Tool Pallatte", "Pen Color"}));
    EXPECT_EQ(std::pair(model.penWidth, model.penColor), std::pair(30, 0xFF0000));   // blue in the high byte
}

TEST_F(GraphicsFixture, CloseAsksUntilSavedAndHandsTheArrayOver)
{
    const IntGrid tile = ramp(2, 3);
    load(tile);
    modals.answer = [](QDialog& d) {
        EXPECT_EQ(d.findChild<QLabel*>()->text(), "Close without saving image?");
        return press(d, "cancelButton");
    };
    EXPECT_FALSE(g.Close1Click());
    EXPECT_TRUE(g.isVisible() && model.holdsContent() && !m.session().inputGrid);

    // A cancelled and a failed save leave the question in place.
    answered(g.action("actionSaveIndexArray"), "");
    answered(g.action("actionSaveIndexArray"), "/nonexistent/dir/tile.ind");
    modals.shown.clear();
    EXPECT_FALSE(g.Close1Click());
    EXPECT_EQ(modals.shown, QStringList{"Closing Graphics Window"});

    TempDir dir;
    answered(g.action("actionSaveSrtmHeightfield"), dir.file("tile.hgt"));
    EXPECT_TRUE(model.saved);
    model.saved = false;
    answered(g.action("actionSaveIndexArray"), dir.file("tile.ind"));
    modals.shown.clear();
    trigger("actionZoomIn");
    model.nullDataDefinition = -32000;
    ASSERT_TRUE(g.Close1Click());   // saved: nothing asked
    EXPECT_FALSE(g.isVisible() || model.holdsContent());
    // The array is handed over and the window starts afresh.
    EXPECT_EQ(
        std::tuple(m.session().inputGrid, m.session().numberElevationRows, model.zoomFactor, model.nullDataDefinition),
        std::tuple(tile, 2, 1, -1000));
}

TEST_F(GraphicsFixture, MainWindowSavesAndRoundTripsNorthUp)
{
    SessionState& s = m.session();
    s.solutionGrid = RealGrid(2, 2);   // row 0 is the southern row
    std::ranges::copy(std::vector{1.0, 2.0, 3.9, -4.7}, s.solutionGrid->data());
    s.numberElevationRows = s.numberElevationColumns = 2;
    m.enableAfterRun();
    TempDir dir;
    answered(m.action("actionSaveAscii"), dir.file("result.txt"));
    EXPECT_EQ(readText(dir.file("result.txt")), "    1.0000    2.0000\n    3.9000   -4.7000\n");
    answered(m.action("actionSaveElevationArray"), dir.file("result.elv"));
    EXPECT_EQ(readText(dir.file("result.elv")), "         2         2         1\n"
                                                "         3        -4\n"
                                                "         1         2\n");
    EXPECT_EQ(log().mid(1), (QStringList{QString::fromStdString(dir.file("result.txt")), " ", "File saved.",
                                         QString::fromStdString(dir.file("result.elv")), "File Written"}));

    // Reopened, the main window's array comes back north-up through the raw elevation path.
    answered(m.action("actionOpen"), dir.file("result.elv"));
    EXPECT_EQ(model.imageArray, pictureOf({3, -4, 1, 2}, 2));   // raw values, north row first
}

TEST_F(GraphicsFixture, InputDataBuildsItsCopyWithTheLsqrCountJustEntered)
{
    model.loadTile(pictureOf({-32768, -999, -1, 300}, 1));
    m.session().lsqrIterations = 0;
    modals.answer = [](QDialog& d) {
        d.findChild<QLineEdit*>("lsqrEdit")->setText("4");
        return press(d, "submitButton");
    };
    trigger("actionInputData");
    EXPECT_EQ(m.session().lsqrIterations, 4);
    EXPECT_EQ(m.session().inputGrid, pictureOf({0, 0, 0, 300}, 1));   // negative values become 0 with LSQR iterations
}
