// The view and export commands of the main window with their windows: the 2-D
// image and its readout, the tile's grey view, the 3-D view and its panel, the exports.
#include "app/MainWindow.h"
#include "app/TerragenScaleDialog.h"
#include "app/WindowRegistry.h"
#include "graphics/GraphicsWindow.h"
#include "ui/FileDialogs.h"
#include "view/ImageWindows.h"
#include "view/ThreeDControlPanel.h"
#include "view/ThreeDWindow.h"
#include "ModalRecorder.h"
#include "MouseMoves.h"
#include "TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
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

TEST_F(ViewCommands, Display2dImageShowsTheSolutionAndEnablesSaveImage)
{
    EXPECT_FALSE(main.action("actionSaveImage")->isEnabled());
    setSolution(ramp(3, 4));
    main.action("actionDisplay2dImage")->trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(main.action("actionSaveImage")->isEnabled());
}

TEST_F(ViewCommands, PointerReadoutShowsPositionAndElevationUntilClosed)
{
    RealGrid g(2, 2, 0.0);
    g(1, 1) = 1000.0;
    setSolution(g);
    main.DisplayImage1Click();
    EXPECT_FALSE(labelVisible("xValue"));
    moveMouse(form->pictureLabel(), QPoint(0, 1));   // bottom-left: row 0, column 0, level 0
    EXPECT_TRUE(labelVisible("xValue"));
    EXPECT_TRUE(labelVisible("elevationValue"));
    EXPECT_EQ(label("xValue"), "0");
    EXPECT_EQ(label("yValue"), "1");
    EXPECT_EQ(label("elevationValue"), "0.00");
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
    QImage saved;   // read back by Qt's own BMP reader
    ASSERT_TRUE(saved.load(QString::fromStdString(dir.file("shot.bmp"))));
    ASSERT_EQ(saved.size(), QSize(7, 5));
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 7; ++c) EXPECT_EQ(qGray(saved.pixel(c, r)), form->picture()(r, c)) << r << "," << c;
    EXPECT_EQ(form->picture()(4, 0), 0);   // the south-west minimum at the bottom left
    EXPECT_EQ(lines().last().toStdString(), dir.file("shot.bmp"));
}

TEST_F(ViewCommands, ExportsWriteTheSolutionAndTheTerragenScaleIsKept)
{
    TempDir dir;
    RealGrid g(2, 2, 100.0);
    g(1, 1) = 900.0;
    setSolution(g);
    ModalRecorder rec;
    rec.answer = [&](QDialog& d) {
        d.findChild<QLineEdit*>("scaleFactorEdit")->setText("45");
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
    QImage saved;
    ASSERT_TRUE(saved.load(QString::fromStdString(dir.file("v.jpg"))));
    EXPECT_EQ(saved.size(), view->size());
    EXPECT_EQ(lines().mid(lines().size() - 2), (QStringList{" ", QString::fromStdString("Saved " + dir.file("v.jpg"))}));
    EXPECT_FALSE(registry.find<JpegSnapshotWindow>()->isVisible());
    queueSave("/nonexistent-dir/v.jpg");
    main.jpg1Click();
    EXPECT_EQ(lines().mid(lines().size() - 2), (QStringList{"could not open output file", "/nonexistent-dir/v.jpg: No such file or directory"}));
}
