// The graphics window as a user meets it, and the main window's saves with their
// round trips through Open.
#include "app/MainWindow.h"
#include "app/WindowRegistry.h"
#include "formats/ElevationArray.h"
#include "graphics/GraphicsDialogs.h"
#include "graphics/GraphicsWindow.h"
#include "ui/FileDialogs.h"
#include "ui/Modal.h"
#include "ProgramFixture.h"
#include "TestFiles.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct GraphicsFixture : ProgramFixture {
    QStringList dialogs;
    std::function<int(QDialog&)> answer = [](QDialog&) { return 0; };

    void SetUp() override
    {
        m.beepPauseMs = 0;
        modal::setAnswerer([this](QDialog& d) {
            dialogs << d.windowTitle();
            return answer(d);
        });
    }
    bool enabled(const char* name) const { return g.action(name)->isEnabled(); }
    void trigger(const char* name) { g.action(name)->trigger(); }
    void save(const char* action, const std::string& path) { answered(g.action(action), path); }
};

int click(QDialog& d, const char* button)
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
    answer = [](QDialog& d) {
        d.findChildren<QComboBox*>().front()->setCurrentText(d.windowTitle() == "Tool Pallatte" ? "30" : "Green");
        return click(d, "submitButton");
    };
    g.action("actionPenWidth")->trigger();
    g.action("actionPenColor")->trigger();
    EXPECT_EQ(dialogs, (QStringList{"Tool Pallatte", "Pen Color"}));
    EXPECT_EQ(model.penWidth, 30);
    EXPECT_EQ(model.penColor, 0x008000);

    model.tagMode = model.showElevationEnabled = true;
    g.action("actionDraw")->trigger();
    EXPECT_TRUE(model.drawTool);
    EXPECT_FALSE(model.tagMode || model.showElevationEnabled);
    g.action("actionErase")->trigger();
    EXPECT_TRUE(model.eraseTool);
    EXPECT_FALSE(model.drawTool);
    g.action("actionPointer")->trigger();
    EXPECT_FALSE(model.drawTool || model.eraseTool);
}

TEST_F(GraphicsFixture, CloseAsksUntilSavedAndHandsTheArrayOver)
{
    IntGrid tile(2, 3);
    for (int i = 0; i < 6; ++i) tile.data()[i] = i * 10;
    model.loadTile(tile);
    g.show();
    answer = [](QDialog& d) {
        EXPECT_EQ(d.findChild<QLabel*>()->text(), "Close without saving image?");
        return click(d, "cancelButton");
    };
    EXPECT_FALSE(g.Close1Click());
    EXPECT_TRUE(g.isVisible());
    EXPECT_TRUE(model.holdsContent());
    EXPECT_FALSE(m.session().inputGrid);

    // A cancelled and a failed save leave the question in place.
    save("actionSaveIndexArray", "");
    save("actionSaveIndexArray", "/nonexistent/dir/tile.ind");
    EXPECT_FALSE(model.saved);
    dialogs.clear();
    EXPECT_FALSE(g.Close1Click());
    EXPECT_EQ(dialogs, QStringList{"Closing Graphics Window"});

    TempDir dir;
    save("actionSaveSrtmHeightfield", dir.file("tile.hgt"));
    EXPECT_TRUE(model.saved);
    model.saved = false;
    save("actionSaveIndexArray", dir.file("tile.ind"));
    EXPECT_TRUE(model.saved);
    dialogs.clear();
    ASSERT_TRUE(g.Close1Click());
    EXPECT_TRUE(dialogs.isEmpty());   // saved: nothing asked
    EXPECT_FALSE(g.isVisible());
    ASSERT_TRUE(m.session().inputGrid);
    EXPECT_EQ(*m.session().inputGrid, tile);
    EXPECT_FALSE(model.holdsContent());
    EXPECT_EQ(m.findChild<QLabel*>("zoomValue")->text(), "1");
    EXPECT_FALSE(m.findChild<QLabel*>("longitudeValue")->isVisible());

    // The title bar's close button asks too, and OK closes.
    model.loadPicture(IntGrid(2, 2, 1));
    g.show();
    answer = [](QDialog& d) { return click(d, "okButton"); };
    g.close();
    EXPECT_FALSE(g.isVisible());
    EXPECT_FALSE(model.holdsContent());
}

TEST_F(GraphicsFixture, SaveCommandsWriteByteExactFilesAndLogThePath)
{
    IntGrid contour(2, 2, 255);
    contour(0, 1) = 1200;
    contour(1, 0) = 0;
    model.loadContourElevationArray(contour);
    TempDir dir;
    save("actionSaveElevationArray", dir.file("work.elv"));
    EXPECT_EQ(filedialogs::lastFilter(), "elevation|*.elv");
    EXPECT_EQ(readText(dir.file("work.elv")), "         2         2         0\n"
                                              "       255      1200\n"
                                              "         0       255\n");
    save("actionSaveIndexArray", dir.file("work.ind"));
    EXPECT_EQ(filedialogs::lastFilter(), "index|*.ind");
    EXPECT_EQ(readText(dir.file("work.ind")), "0    0     255\n0    1    1200\n1    0       0\n1    1     255\n");
    EXPECT_EQ(log().mid(1), (QStringList{QString::fromStdString(dir.file("work.elv")), "File Written",
                                         QString::fromStdString(dir.file("work.ind")), "File Written"}));

    save("actionSaveGraphicsImage", dir.file("work.bmp"));
    EXPECT_EQ(filedialogs::lastFilter(), "bmp|*.bmp");
    const auto bmp = readBytes(dir.file("work.bmp"));
    ASSERT_EQ(bmp.size(), 54u + 2 * 8);   // 2 x 2 pixels, lines padded to 4 bytes
    EXPECT_EQ(bmp[54 + 8], 0xFF);         // top line (stored last) starts white: 255 is background
}

TEST_F(GraphicsFixture, MainWindowSavesAndRoundTripsNorthUp)
{
    SessionState& s = m.session();
    RealGrid solution(2, 2);
    solution(0, 0) = 1; solution(0, 1) = 2;   // row 0 is the southern row
    solution(1, 0) = 3.9; solution(1, 1) = -4.7;
    s.solutionGrid = solution;
    s.numberElevationRows = s.numberElevationColumns = 2;
    m.enableAfterRun();
    TempDir dir;
    filedialogs::queueAnswers({QString::fromStdString(dir.file("result.txt"))});
    m.action("actionSaveAscii")->trigger();
    EXPECT_EQ(filedialogs::lastFilter(), "text|*.txt|data|*.dat");
    EXPECT_EQ(readText(dir.file("result.txt")), "    1.0000    2.0000\n    3.9000   -4.7000\n");
    filedialogs::queueAnswers({QString::fromStdString(dir.file("result.elv"))});
    m.action("actionSaveElevationArray")->trigger();
    EXPECT_EQ(readText(dir.file("result.elv")), "         2         2         1\n"
                                                "         3        -4\n"
                                                "         1         2\n");
    EXPECT_EQ(log().mid(1), (QStringList{QString::fromStdString(dir.file("result.txt")), " ", "File saved.",
                                         QString::fromStdString(dir.file("result.elv")), "File Written"}));

    // Reopened, the main window's array comes back north-up through the raw elevation path ...
    filedialogs::queueAnswers({QString::fromStdString(dir.file("result.elv"))});
    m.action("actionOpen")->trigger();
    EXPECT_TRUE(model.elevationMode);
    EXPECT_EQ(model.imageArray(0, 1), -4);   // raw values, north row first
    EXPECT_EQ(model.elevationArray(1, 0), 1);
    // ... and the graphics window's through the contour path.
    save("actionSaveElevationArray", dir.file("work.elv"));
    filedialogs::queueAnswers({QString::fromStdString(dir.file("work.elv"))});
    m.action("actionOpen")->trigger();
    EXPECT_EQ(model.elevationArray(0, 0), 3);
    EXPECT_EQ(model.imageArray(0, 0), 3 * 599);

    // A write that fails reports only that, and why.
    const int before = log().size();
    filedialogs::queueAnswers({"/nonexistent/dir/x.txt"});
    m.action("actionSaveAscii")->trigger();
    EXPECT_EQ(log().mid(before), (QStringList{"/nonexistent/dir/x.txt", "could not open output file",
                                               "/nonexistent/dir/x.txt: No such file or directory"}));
}

TEST_F(GraphicsFixture, InputDataBuildsItsCopyWithTheLsqrCountJustEntered)
{
    IntGrid tile(1, 4);
    tile(0, 0) = -32768; tile(0, 1) = -999; tile(0, 2) = -1; tile(0, 3) = 300;
    model.loadTile(tile);
    m.session().lsqrIterations = 0;
    answer = [](QDialog& d) {
        EXPECT_FALSE(d.findChild<QLineEdit*>("rowsEdit")->isEnabled());
        d.findChild<QLineEdit*>("lsqrEdit")->setText("4");
        return click(d, "submitButton");
    };
    g.action("actionInputData")->trigger();
    EXPECT_EQ(dialogs, QStringList{"dataEntryForm"});
    ASSERT_TRUE(m.session().inputGrid);
    EXPECT_EQ(m.session().lsqrIterations, 4);
    EXPECT_EQ((*m.session().inputGrid)(0, 1), 0);   // negative values become 0 with LSQR iterations
    EXPECT_EQ(m.session().numberElevationColumns, 4);
    EXPECT_TRUE(m.action("actionRunGridmend")->isEnabled());

    model.reset();
    g.action("actionInputData")->trigger();
    EXPECT_EQ(log().last(), kNothingToHandOverLine);
}
