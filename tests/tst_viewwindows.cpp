// The view and export commands of the main window with their windows:
// "Display 2D Image" and the readout, "Save Image", the tile's grey view,
// "Display 3D Image" with its control panel, "Save3D Image" > "jpg" and the
// Terragen, BSQ and TGA commands.
#include "app/MainWindow.h"
#include "app/TerragenScaleDialog.h"
#include "app/TileGrayscale.h"
#include "app/WindowRegistry.h"
#include "formats/Bmp.h"
#include "formats/SrtmHgt.h"
#include "graphics/GraphicsWindow.h"
#include "ui/FileDialogs.h"
#include "view/ImageWindows.h"
#include "view/ThreeDControlPanel.h"
#include "view/ThreeDWindow.h"
#include "ModalRecorder.h"
#include "TestFiles.h"
#include "MouseMoves.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class ViewCommands : public ::testing::Test {
protected:
    WindowRegistry registry{WindowRegistry::Options{false}};
    MainWindow& main = registry.mainWindow();
    ImageForm* form = registry.find<ImageForm>();
    ThreeDWindow* view = registry.find<ThreeDWindow>();
    ThreeDControlPanel* panel = registry.find<ThreeDControlPanel>();

    void setSolution(RealGrid grid)
    {
        main.session().numberElevationRows = grid.rows();
        main.session().numberElevationColumns = grid.cols();
        main.session().solutionGrid = std::move(grid);
        main.enableAfterRun();
    }
    QStringList lines() const { return main.diagnosticsLog()->toPlainText().split('\n'); }
    QString label(const char* name) const { return main.findChild<QLabel*>(name)->text(); }
    bool labelVisible(const char* name) const { return main.findChild<QLabel*>(name)->isVisible(); }
    void hover(QWidget* w, int x, int y)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), w->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
};

void queueSave(const std::string& path)
{
    filedialogs::queueAnswers({QString::fromStdString(path)});
}

RealGrid ramp(int rows, int cols)
{
    RealGrid g(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) g(r, c) = 100.0 + r * 10.0 + c;
    return g;
}

} // namespace

TEST_F(ViewCommands, Display2dImageShowsTheSolutionWithItsLogLinesAndEnablesSaveImage)
{
    ASSERT_TRUE(form);
    EXPECT_EQ(form->windowTitle(), "GRIDMEND Graphics");
    EXPECT_FALSE(main.action("actionSaveImage")->isEnabled());
    setSolution(ramp(3, 4));
    main.action("actionDisplay2dImage")->trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(main.action("actionSaveImage")->isEnabled());
    const QStringList l = lines();
    EXPECT_EQ(l.mid(l.size() - 4), (QStringList{"numberElevationRows is:  3", "numberElevationColumns is:  4",
                                               "minimum elevation is:  100", "maximum elevation is:  123"}));
    // Row 0 (south) is the bottom line: its west end is the minimum.
    EXPECT_EQ(form->picture()(2, 0), 0);
    EXPECT_EQ(form->picture()(0, 3), 255);
}

TEST_F(ViewCommands, LargePictureScrollsInA500By500View)
{
    setSolution(ramp(1201, 1201));
    main.DisplayImage1Click();
    QApplication::processEvents();
    const QSize viewport = form->scrollArea()->viewport()->size();
    EXPECT_EQ(viewport, QSize(500, 500));
    EXPECT_EQ(form->scrollArea()->verticalScrollBar()->maximum(), 701);
    EXPECT_EQ(form->scrollArea()->horizontalScrollBar()->maximum(), 701);
    setSolution(ramp(20, 30));
    main.DisplayImage1Click();
    QApplication::processEvents();
    EXPECT_EQ(form->scrollArea()->viewport()->size(), QSize(30, 20));
}

TEST_F(ViewCommands, PointerReadoutShowsPositionAndElevationUntilClosed)
{
    RealGrid g(2, 2, 0.0);
    g(1, 1) = 1000.0;
    setSolution(g);
    main.DisplayImage1Click();
    EXPECT_FALSE(labelVisible("xValue"));
    hover(form->pictureLabel(), 0, 1);   // bottom-left: row 0, column 0, level 0
    EXPECT_TRUE(labelVisible("xValue"));
    EXPECT_TRUE(labelVisible("elevationValue"));
    EXPECT_EQ(label("xValue"), "0");
    EXPECT_EQ(label("yValue"), "1");
    EXPECT_EQ(label("elevationValue"), "0.00");
    hover(form->pictureLabel(), 1, 0);   // top-right: level 254 of 0..1000
    EXPECT_EQ(label("elevationValue"), QString::number((254 - 0.0) / double(255.0f / 1000.0f), 'f', 2));
    // While the graphics window holds a tile, its own readout keeps the elevation label.
    main.graphicsWindow()->model().loadTile(IntGrid(2, 2, 5));
    main.setReadout(MainWindow::Readout::Elevation, "tile");
    hover(form->pictureLabel(), 0, 1);
    EXPECT_EQ(label("elevationValue"), "tile");
    form->close();
    EXPECT_FALSE(labelVisible("xValue"));
    EXPECT_FALSE(labelVisible("elevationValue"));
}

TEST_F(ViewCommands, SaveImageWritesTheShownPictureAsABitmap)
{
    TempDir dir;
    setSolution(ramp(5, 7));
    main.DisplayImage1Click();
    queueSave(dir.file("shot.bmp"));
    main.action("actionSaveImage")->trigger();
    EXPECT_EQ(filedialogs::lastFilter(), "bmp|*.bmp");
    EXPECT_EQ(readBytes(dir.file("shot.bmp")), encodeGreyBmp(form->picture()));
    EXPECT_EQ(lines().last().toStdString(), dir.file("shot.bmp"));
}

TEST_F(ViewCommands, TileGrayscaleIsSizedToThePictureAndReadsWithItsOwnMap)
{
    auto* grey = registry.find<GrayscaleWindow>();
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->windowTitle(), "SRTM Grayscale Image Form");
    GraphicsModel& model = main.graphicsWindow()->model();
    IntGrid tile(600, 700, 300);
    tile(0, 0) = 510;
    tile(599, 699) = -32768;
    model.loadTile(tile);
    showTileGrayscale(model, *grey, main);
    QApplication::processEvents();
    EXPECT_TRUE(grey->isVisible());
    EXPECT_EQ(grey->scrollArea()->viewport()->size(), QSize(700, 600));
    EXPECT_EQ(model.displaySlope, 0.5f);
    EXPECT_EQ(grey->picture()(0, 0), 255);   // the north-west corner at the top
    hover(grey->pictureLabel(), 5, 5);
    EXPECT_EQ(label("elevationValue"),
              QString::fromStdString(readoutElevation(greyColour(grey->picture()(5, 5)), model.displaySlope,
                                                      model.displayIntercept)));
    TempDir dir;
    NullReporter rep;
    ASSERT_TRUE(saveWindowPicture(*grey, dir.file("g.bmp"), rep));
    EXPECT_EQ(readBytes(dir.file("g.bmp")).size(), 54u + 600u * 2100u);
}

TEST_F(ViewCommands, ReferenceImageHandsOutColours)
{
    auto* ref = registry.find<ReferenceImageWindow>();
    ASSERT_TRUE(ref);
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(QColor(1, 2, 3));
    picture.setPixelColor(2, 1, QColor(0xAB, 0xCD, 0xEF));
    ref->loadPicture(picture);
    const IntGrid a = ref->asArray();
    ASSERT_EQ(a.rows(), 2);
    EXPECT_EQ(a(0, 0), 0x010203);
    EXPECT_EQ(a(1, 2), 0xABCDEF);
    EXPECT_EQ(ref->loaderValue1, 0);
}

TEST_F(ViewCommands, ExportsWriteTheSolutionAndTheTerragenScaleIsKept)
{
    TempDir dir;
    RealGrid g(2, 2, 100.0);
    g(1, 1) = 900.0;
    setSolution(g);
    ModalRecorder rec;
    QString typed = "45";
    rec.answer = [&](QDialog& d) {
        d.findChild<QLineEdit*>("scaleFactorEdit")->setText(typed);
        d.findChild<QPushButton*>("submitButton")->click();
        return d.result();
    };
    EXPECT_EQ(main.terragenHeightScale, 30);
    queueSave(dir.file("a.ter"));
    main.action("actionSaveTerragen")->trigger();
    EXPECT_EQ(filedialogs::lastFilter(), "terragen|*.ter");
    EXPECT_EQ(rec.shown, QStringList{"Terragen Scale Factor"});
    EXPECT_EQ(main.terragenHeightScale, 45);
    auto ter = readBytes(dir.file("a.ter"));
    ASSERT_EQ(ter.size(), 48u + 8u + 4u);
    EXPECT_EQ(ter[44], 45);
    // An empty box reports the error, closes, and keeps the value.
    typed = "";
    queueSave(dir.file("b.ter"));
    main.SaveTerragen1Click();
    EXPECT_EQ(rec.shown.last(), QString("Error!: ") + kEmptyEntryText);
    EXPECT_FALSE(registry.find<TerragenScaleDialog>()->isVisible());
    EXPECT_EQ(readBytes(dir.file("b.ter"))[44], 45);
    typed = "3.5";
    queueSave(dir.file("c.ter"));
    main.SaveTerragen1Click();
    EXPECT_EQ(rec.shown.last(), "Conversion Error: Text box entry must be an integer!");
    EXPECT_EQ(main.terragenHeightScale, 45);

    queueSave(dir.file("a.bsq"));
    main.action("actionSaveBsq")->trigger();
    EXPECT_EQ(filedialogs::lastFilter(), "sixteen bit binary|*.bsq");
    EXPECT_EQ(readBytes(dir.file("a.bsq")), (std::vector<std::uint8_t>{100, 0, 0x84, 3, 100, 0, 100, 0}));
    queueSave(dir.file("p.tga"));
    main.action("actionSavePovRayTga")->trigger();
    EXPECT_EQ(filedialogs::lastFilter(), "tga files|*.tga");
    EXPECT_EQ(readBytes(dir.file("p.tga")).size(), 18u + 12u);
    EXPECT_EQ(lines().last(), "File saved.");
    queueSave(dir.file("g.tga"));
    main.action("actionSaveGrayscaleTga")->trigger();
    EXPECT_EQ(readBytes(dir.file("g.tga"))[18 + 9], 255);
    // Cancelled dialogs write and log nothing.
    const int before = int(lines().size());
    filedialogs::queueAnswers({""});
    main.SaveBSQ1Click();
    EXPECT_EQ(int(lines().size()), before);
}

TEST_F(ViewCommands, Display3dImageShowsThePanelAndTheView)
{
    ASSERT_TRUE(view && panel);
    EXPECT_EQ(view->windowTitle(), "3D Graphics Image");
    EXPECT_EQ(panel->windowTitle(), "3D Image Control Panel");
    setSolution(ramp(30, 40));
    main.action("actionDisplay3dImage")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    EXPECT_TRUE(panel->isVisible());
    const QImage shot = view->snapshot();
    EXPECT_GT(view->renderCount(), 0);
    EXPECT_EQ(shot.size(), view->size());
    EXPECT_TRUE(lines().contains("Rows is:  30"));
    EXPECT_TRUE(lines().contains("Columns is:  40"));
    for (const char* caption : {"Rotate +X", "Rotate -X", "Rotate +Y", "Rotate -Y", "Rotate +Z", "Rotate -Z",
                                "Translate +X", "Translate -X", "Translate +Y", "Translate -Y", "Translate +Z",
                                "Translate -Z", "Scale+", "Scale--", "Translation +", "Translation --",
                                "Render Image", "Stereo Image +", "StereoImage --", "Restore", "Close"})
        EXPECT_TRUE(panel->button(caption)) << caption;
    EXPECT_EQ(panel->azimuthEdit()->text(), "45");
    EXPECT_EQ(panel->bearingEdit()->text(), "45");
    EXPECT_EQ(panel->scaleEdit()->text(), "1.0");
    EXPECT_EQ(panel->stereoEdit()->text(), "1.0");
}

TEST_F(ViewCommands, The3dViewSmoothsADisplayCopyNeverTheSolution)
{
    NullReporter quiet;
    const auto tile = readSrtmTile(testData("crop_N49E011.hgt"), quiet);   // a real tile with voids
    ASSERT_TRUE(tile);
    main.session().solutionFromGrid(*tile);
    main.enableAfterRun();
    const RealGrid solution = *main.session().solutionGrid;
    registry.find<GraphicsWindow>()->model().hooks.solutionReplaced();   // as after a repair's write-back
    main.action("actionDisplay3dImage")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    QTRY_VERIFY(view->renderCount() > 0);
    EXPECT_FALSE(view->state().smoothPending);   // the view was smoothed ...
    EXPECT_EQ(*main.session().solutionGrid, solution);   // ... and what Save writes is not
}

TEST_F(ViewCommands, PanelButtonsChangeTheViewAndTheStereoSequenceReturns)
{
    setSolution(ramp(10, 10));
    main.Display3DImage1Click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    view->snapshot();   // first render done
    const ViewMatrix start = view->state().modelView;
    panel->button("Rotate +X")->click();
    ViewMatrix turned = start;
    turned.rotate(10.0f, 1, 0, 0);
    EXPECT_EQ(view->state().modelView, turned);
    panel->button("Rotate -X")->click();
    EXPECT_LT(maxDifference(view->state().modelView, start), 1e-5f);
    panel->button("Translation +")->click();
    EXPECT_EQ(panel->translationStep, 60.0f);

    const ViewMatrix before = view->state().modelView;
    panel->stereoEdit()->setText("5");
    EXPECT_FALSE(panel->button("StereoImage --")->isEnabled());
    EXPECT_FALSE(panel->button("Restore")->isEnabled());
    panel->button("Stereo Image +")->click();
    EXPECT_EQ(panel->stereoMinusAngle, -10.0f);
    EXPECT_FALSE(panel->button("Stereo Image +")->isEnabled());
    EXPECT_TRUE(panel->button("StereoImage --")->isEnabled());
    const QImage plus = view->snapshot();
    panel->button("StereoImage --")->click();
    EXPECT_TRUE(panel->button("Restore")->isEnabled());
    const QImage minus = view->snapshot();
    EXPECT_NE(plus, minus);
    panel->button("Restore")->click();
    EXPECT_TRUE(panel->button("Stereo Image +")->isEnabled());
    EXPECT_LT(maxDifference(view->state().modelView, before), 1e-4f);
}

TEST_F(ViewCommands, PanelReportsItsEntryErrors)
{
    setSolution(ramp(10, 10));
    main.Display3DImage1Click();
    ModalRecorder rec;
    panel->azimuthEdit()->setText("360.5");
    panel->button("Render Image")->click();
    panel->azimuthEdit()->setText("30");
    panel->bearingEdit()->setText("");
    panel->button("Render Image")->click();
    panel->bearingEdit()->setText("90");
    panel->scaleEdit()->setText("");
    panel->button("Render Image")->click();
    panel->scaleEdit()->setText("x");
    panel->button("Render Image")->click();
    panel->stereoEdit()->setText("400");
    panel->button("Stereo Image +")->click();
    EXPECT_EQ(rec.shown, (QStringList{"Error!: Please enter an azimuth angle between 0 and 180 degrees!",
                                      "Error!: Please enter values for azimuth angle and bearing angle!",
                                      "Error!: Please enter a value for the elevation scale factor!",
                                      "Conversion Error: Text box entry must be a number!",
                                      "Error!: Please enter a stereo angle between 0 and 360 degrees"}));
    EXPECT_EQ(view->state().solarAzimuth, 30.0f);   // applied before the failing scale factor
    EXPECT_EQ(view->state().solarBearing, 90.0f);
    EXPECT_EQ(view->state().elevationScale, 1.0f);
    panel->scaleEdit()->setText("3");
    panel->hideAxesButton()->setChecked(true);
    panel->button("Render Image")->click();
    EXPECT_EQ(view->state().elevationScale, 3.0f);
    EXPECT_FALSE(view->state().showAxes);
    EXPECT_TRUE(panel->button("Stereo Image +")->isEnabled());
}

TEST_F(ViewCommands, SaveJpegWritesTheViewAndLogsSaved)
{
    TempDir dir;
    setSolution(ramp(12, 12));
    main.Display3DImage1Click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    queueSave(dir.file("v.jpg"));
    main.action("actionSave3dJpg")->trigger();
    EXPECT_EQ(filedialogs::lastFilter(), "JPEG|*.jpg");
    const auto bytes = readBytes(dir.file("v.jpg"));
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    QImage saved;
    ASSERT_TRUE(saved.load(QString::fromStdString(dir.file("v.jpg"))));
    EXPECT_EQ(saved.size(), view->size());
    EXPECT_EQ(lines().mid(lines().size() - 2), (QStringList{" ", QString::fromStdString("Saved " + dir.file("v.jpg"))}));
    EXPECT_FALSE(registry.find<JpegSnapshotWindow>()->isVisible());
    queueSave("/nonexistent-dir/v.jpg");
    main.jpg1Click();
    EXPECT_EQ(lines().mid(lines().size() - 2), (QStringList{"could not open output file", "/nonexistent-dir/v.jpg: No such file or directory"}));
}

// Screenshots for a person to look at: runs only with GRIDMEND_SCREENSHOT_DIR set
// (and GRIDMEND_SCREENSHOT_HGT naming a 1201 x 1201 height file to show).
TEST_F(ViewCommands, Screenshots)
{
    const char* dir = std::getenv("GRIDMEND_SCREENSHOT_DIR");
    const char* hgt = std::getenv("GRIDMEND_SCREENSHOT_HGT");
    if (!dir || !hgt) GTEST_SKIP() << "set GRIDMEND_SCREENSHOT_DIR and GRIDMEND_SCREENSHOT_HGT";
    const auto bytes = readBytes(hgt);
    ASSERT_EQ(bytes.size(), 1201u * 1201u * 2u);
    RealGrid tile(1201, 1201);
    for (int r = 0; r < 1201; ++r)   // file north row first; the solution south row first
        for (int c = 0; c < 1201; ++c) {
            const std::size_t i = (std::size_t(r) * 1201 + std::size_t(c)) * 2;
            const std::int16_t v = std::int16_t(bytes[i] << 8 | bytes[i + 1]);
            tile(1200 - r, c) = v < -1000 ? 234.0 : v;   // a repaired tile: voids filled
        }
    setSolution(tile);
    auto shoot = [&](const char* name) {
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(QString(dir) + "/" + name);
    };
    main.move(0, 0);
    main.show();
    main.DisplayImage1Click();
    form->move(700, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    form->scrollArea()->verticalScrollBar()->setValue(300);
    moveMouse(form->pictureLabel(), QPoint(250, 420));
    QTest::qWait(200);
    shoot("display2d.png");
    form->close();

    main.Display3DImage1Click();
    view->move(0, 560);
    panel->move(450, 380);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    shoot("display3d_first.png");
    panel->button("Rotate -X")->click();
    for (int i = 0; i < 5; ++i) panel->button("Rotate -X")->click();
    panel->button("Rotate +Z")->click();
    panel->button("Rotate +Z")->click();
    panel->azimuthEdit()->setText("25");
    panel->bearingEdit()->setText("135");
    panel->scaleEdit()->setText("3");
    panel->button("Render Image")->click();
    for (int i = 0; i < 6; ++i) panel->button("Scale+")->click();
    panel->button("Translate +X")->click();
    shoot("display3d_turned.png");
    panel->stereoEdit()->setText("4");
    panel->button("Stereo Image +")->click();
    queueSave(std::string(dir) + "/stereo_plus.jpg");
    main.jpg1Click();
    panel->button("StereoImage --")->click();
    queueSave(std::string(dir) + "/stereo_minus.jpg");
    main.jpg1Click();
    panel->button("Restore")->click();
    shoot("display3d_restored.png");
}
