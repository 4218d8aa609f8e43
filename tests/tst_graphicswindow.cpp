// The graphics window as a user meets it: menus and their enabling rules, the
// pen dialogs, Close, the save commands (byte-exact), "Input Data", the
// rubber band's error window, the timer and the tile readout; and the main
// window's save commands with their round trips through Open.
#include "app/MainWindow.h"
#include "app/WindowRegistry.h"
#include "formats/ElevationArray.h"
#include "graphics/GraphicsDialogs.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/PictureView.h"
#include "ui/ErrorWindow.h"
#include "ui/FileDialogs.h"
#include "ui/Modal.h"
#include "view/ImageWindows.h"
#include "MouseMoves.h"
#include "ProgramFixture.h"
#include "TestFiles.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
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
    void save(const char* action, const std::string& path) { answered(g.action(action), path); }
};

int click(QDialog& d, const char* button)
{
    d.findChild<QPushButton*>(button)->click();
    return d.result();
}

} // namespace

TEST_F(GraphicsFixture, EnablingRulesFollowZoomLoadsBinarizeAndWiring)
{
    for (const char* name : {"actionInputData", "actionClose", "actionSaveGraphicsImage", "actionSaveIndexArray",
                             "actionUndo", "actionCopyBitmap", "actionSubsetProcessImage", "actionDraw",
                             "actionPenWidth", "actionPenColor", "actionZoomIn", "actionGrayscale",
                             "actionSaveSrtmGrayscaleImage", "actionSaveSrtmHeightfield", "actionInterpolateSubsetArray",
                             "actionSetNullDataDefinition", "actionScaleArrays", "actionResampleDem",
                             "actionExpandDted0Dem"})
        EXPECT_TRUE(enabled(name)) << name;
    for (const char* name : {"actionZoomOut", "actionSaveElevationArray", "actionThin", "actionDespeckle8Bit",
                             "actionConnectLines", "actionExpandDted1", "menuTag"})
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_TRUE(enabled("actionBinarize"));
    EXPECT_TRUE(enabled("actionDespeckle24Bit"));
    EXPECT_TRUE(enabled("actionLineScanEnabled"));

    model.loadPicture(IntGrid(4, 4, 0xFFFFFF));
    g.action("actionZoomIn")->trigger();
    EXPECT_TRUE(enabled("actionZoomOut"));
    EXPECT_FALSE(enabled("actionSubsetProcessImage"));
    EXPECT_EQ(m.findChild<QLabel*>("zoomValue")->text(), "2");
    g.action("actionZoomOut")->trigger();
    EXPECT_FALSE(enabled("actionZoomOut"));
    EXPECT_TRUE(enabled("actionSubsetProcessImage"));

    // The line scan reads the display: not while zoomed in.
    g.action("actionZoomIn")->trigger();
    EXPECT_FALSE(enabled("actionLineScanEnabled"));

    model.loadContourElevationArray(IntGrid(2, 2, 255));
    EXPECT_TRUE(enabled("menuTag"));
    EXPECT_TRUE(enabled("actionSaveElevationArray"));
    EXPECT_FALSE(enabled("actionThin"));
    g.setBinarized(true);
    EXPECT_FALSE(enabled("actionThin"));   // it works on the display: not while zoomed in
    EXPECT_TRUE(enabled("actionConnectLines"));
    EXPECT_FALSE(enabled("actionDespeckle24Bit"));
    g.action("actionZoomOut")->trigger();
    EXPECT_TRUE(enabled("actionThin"));

    model.loadTile(IntGrid(2, 2, 100));
    g.plugins = {};
    g.applyEnablingRules();
    EXPECT_FALSE(enabled("actionGrayscale"));   // no view behind it
}

TEST_F(GraphicsFixture, GrayscaleOfATileOpensTheSrtmGrayscaleView)
{
    IntGrid tile(3, 4, 100);
    tile(1, 1) = 600;
    model.loadTile(tile);
    g.action("actionGrayscale")->trigger();
    auto* view = registry.find<GrayscaleWindow>();
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->picture().rows(), 3);
    TempDir dir;
    save("actionSaveSrtmGrayscaleImage", dir.file("grey.bmp"));
    EXPECT_EQ(readBytes(dir.file("grey.bmp")).size(), 54u + 3u * 12u);
}

TEST_F(GraphicsFixture, PenDialogsSetWidthAndColour)
{
    answer = [](QDialog& d) {
        auto* list = d.findChildren<QComboBox*>().front();
        if (d.windowTitle() == "Tool Pallatte") {
            QStringList items;
            for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
            EXPECT_EQ(items.size(), 22);
            EXPECT_EQ(items.front(), "1");
            EXPECT_EQ(items.mid(19), (QStringList{"20", "30", "40"}));
            EXPECT_EQ(list->currentText(), "1");
            list->setCurrentText("30");
        } else {
            QStringList items;
            for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
            EXPECT_EQ(items, (QStringList{"Black", "Red", "Blue", "Yellow", "Green"}));
            list->setCurrentText("Green");
        }
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
    EXPECT_EQ(m.session().numberElevationRows, 2);
    EXPECT_FALSE(model.holdsContent());
    EXPECT_EQ(g.size(), QSize(400, 400));
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

TEST_F(GraphicsFixture, ZeroAreaRubberBandShowsTheErrorWindow)
{
    model.loadPicture(IntGrid(20, 20, 0xFFFFFF));
    g.show();
    g.action("actionSubsetProcessImage")->trigger();
    QStringList shown;
    answer = [&](QDialog& d) {
        shown << static_cast<ErrorWindow&>(d).text();
        return click(d, "okButton");
    };
    PictureView* view = g.pictureView();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(5, 12));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], "Bounding  box must have non zero area!\nHold down mouse button and drag the\nrubber band box.");
    EXPECT_EQ(model.imageRows(), 20);

    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(2, 3));
    moveMouse(view, QPoint(8, 9));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(12, 10));
    EXPECT_EQ(model.imageRows(), 7);
    EXPECT_EQ(model.imageColumns(), 10);
    QCoreApplication::processEvents();   // the small picture keeps the whole menu bar, without its chevron
    const auto* chevron = g.menuBar()->findChild<QToolButton*>("qt_menubar_ext_button");
    EXPECT_TRUE(!chevron || chevron->isHidden());
}

TEST_F(GraphicsFixture, TimerIntervalFollowsTheZoomAndItsTickRendersTheArrays)
{
    model.loadPicture(IntGrid(10, 10, 0x00FF00));
    g.action("actionZoomIn")->trigger();
    g.action("actionZoomIn")->trigger();
    auto redPixels = [&] {   // pixels the text changed
        int n = 0;
        for (std::uint32_t p : model.display.cells()) n += p != 0xFF00FF00u;
        return n;
    };
    g.writeText(2, 30, "480", Qt::red);   // a tag label
    EXPECT_GT(redPixels(), 10);
    EXPECT_EQ(model.imageArray(0, 0), 0x00FF00);
    g.startOverlayTimer();
    EXPECT_EQ(g.overlayTimer()->interval(), 100);
    QTest::qWait(250);
    EXPECT_FALSE(g.overlayTimer()->isActive());
    EXPECT_EQ(redPixels(), 0);
    EXPECT_EQ(model.display(0, 0), 0xFF00FF00u);
}

TEST_F(GraphicsFixture, TileReadoutFillsTheMainWindowsLabels)
{
    IntGrid tile(100, 100, 0);
    tile(50, 25) = 1234;
    model.loadTile(tile);
    model.tileLatitude = 45;
    model.tileLongitude = -123;
    g.show();
    EXPECT_TRUE(m.findChild<QLabel*>("longitudeValue")->isVisibleTo(&m));
    moveMouse(g.pictureView(), QPoint(25, 50));
    EXPECT_EQ(m.findChild<QLabel*>("xValue")->text(), "25");
    EXPECT_EQ(m.findChild<QLabel*>("yValue")->text(), "50");
    EXPECT_EQ(m.findChild<QLabel*>("elevationValue")->text(), "1234.00");
    EXPECT_EQ(m.findChild<QLabel*>("longitudeValue")->text(), "-122.750");
    EXPECT_EQ(m.findChild<QLabel*>("latitudeValue")->text(), "45.500");
}
