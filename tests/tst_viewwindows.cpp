// The view and export commands of the main window with their windows: the 2-D
// image and its readout, the tile's grey view, the 3-D view and its panel, the exports.
#include "app/MainWindow.h"
#include "app/WindowRegistry.h"
#include "ui/FileDialogs.h"
#include "view/ImageWindows.h"
#include "view/ThreeDControlPanel.h"
#include "view/ThreeDWindow.h"
#include "GridArt.h"
#include "ModalRecorder.h"
#include "MouseMoves.h"
#include "TestFiles.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
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

RealGrid realRamp(int rows, int cols)
{
    return gridBy(rows, cols, [](int r, int c) { return 100.0 + r * 10.0 + c; });
}

} // namespace

TEST_F(ViewCommands, Display2dImageShowsAReadoutUntilClosedAndSaveImageWritesThePicture)
{
    TempDir dir;
    setSolution(realRamp(5, 7));
    main.action("actionDisplay2dImage")->trigger();
    moveMouse(form->pictureLabel(), QPoint(0, 4));   // bottom-left: row 0, column 0
    EXPECT_EQ((QStringList{label("xValue"), label("yValue"), label("elevationValue")}),
              (QStringList{"0", "4", "100.00"}));
    queueSave(dir.file("shot.bmp"));
    main.action("actionSaveImage")->trigger();
    QImage saved;   // read back by Qt's own BMP reader
    ASSERT_TRUE(saved.load(QString::fromStdString(dir.file("shot.bmp"))));
    ASSERT_EQ(saved.size(), QSize(7, 5));
    EXPECT_EQ(gridBy(5, 7, [&](int r, int c) { return std::uint8_t(qGray(saved.pixel(c, r))); }), form->picture());
    EXPECT_EQ(form->picture()(4, 0), 0);   // the south-west minimum at the bottom left
    form->close();
    EXPECT_FALSE(labelVisible("xValue") || labelVisible("elevationValue"));
}

TEST_F(ViewCommands, TerragenExportTakesTheScaleEntered)
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
    queueSave(dir.file("a.ter"));
    main.action("actionSaveTerragen")->trigger();
    const auto ter = readBytes(dir.file("a.ter"));
    EXPECT_EQ(std::pair(ter.size(), ter.at(44)), std::pair(std::size_t(48 + 8 + 4), std::uint8_t(45)));
}

TEST_F(ViewCommands, ThreeDPanelTurnsTheViewRestoresItReportsEntryErrorsAndSaveJpegWritesIt)
{
    TempDir dir;
    setSolution(realRamp(12, 12));
    main.Display3DImage1Click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    view->snapshot();   // first render done
    const ViewMatrix start = view->state().modelView;
    panel->button("Rotate +X")->click();
    ViewMatrix turned = start;
    turned.rotate(10.0f, 1, 0, 0);
    EXPECT_EQ(view->state().modelView, turned);
    panel->stereoEdit()->setText("5");
    panel->button("Stereo Image +")->click();
    EXPECT_EQ(panel->stereoMinusAngle, -10.0f);
    panel->button("StereoImage --")->click();
    panel->button("Restore")->click();
    EXPECT_LT(maxDifference(view->state().modelView, turned), 1e-4f);

    queueSave(dir.file("v.jpg"));
    main.action("actionSave3dJpg")->trigger();
    EXPECT_EQ(QImage(QString::fromStdString(dir.file("v.jpg"))).size(), view->size());
    EXPECT_EQ(lines().mid(lines().size() - 2),
              (QStringList{" ", QString::fromStdString("Saved " + dir.file("v.jpg"))}));

    // The panel's entry errors.
    ModalRecorder rec;
    panel->azimuthEdit()->setText("360.5");
    panel->button("Render Image")->click();
    panel->azimuthEdit()->setText("30");
    panel->bearingEdit()->setText("");
    panel->button("Render Image")->click();
    panel->bearingEdit()->setText("90");
    panel->scaleEdit()->setText("x");
    panel->button("Render Image")->click();
    panel->stereoEdit()->setText("400");
    panel->button("Stereo Image +")->click();
    EXPECT_EQ(rec.shown, (QStringList{"Error!: Please enter an azimuth angle between 0 and 180 degrees!",
                                      "Error!: Please enter values for azimuth angle and bearing angle!",
                                      "Conversion Error: Text box entry must be a number!",
                                      "Error!: Please enter a stereo angle between 0 and 360 degrees"}));
}
