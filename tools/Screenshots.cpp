// Screenshots of the SRTM repair windows and of the 2-D and 3-D views, for a person
// to look at. Not a test: run it by hand as
//   GRIDMEND_SCREENSHOT_DIR=shots GRIDMEND_SCREENSHOT_HGT=N49E011.hgt xvfb-run -a build/tests/gridmend-screenshots
#include "SrtmWindowFixture.h"

#include "app/BatchDialog.h"
#include "graphics/PictureView.h"
#include "ui/EntryDialog.h"
#include "MouseMoves.h"
#include "view/ImageWindows.h"
#include "view/ThreeDControlPanel.h"
#include "view/ThreeDWindow.h"

#include <QScrollArea>
#include <QScrollBar>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

TEST_F(SrtmWindowFixture, RepairScreenshots)
{
    const char* dir = std::getenv("GRIDMEND_SCREENSHOT_DIR");
    const char* hgt = std::getenv("GRIDMEND_SCREENSHOT_HGT");
    if (!dir || !hgt) GTEST_SKIP() << "set GRIDMEND_SCREENSHOT_DIR and GRIDMEND_SCREENSHOT_HGT";
    auto shoot = [&](const char* name) {
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(QString(dir) + "/" + name);
    };
    m.move(0, 0);
    m.show();
    open(hgt);
    g.move(680, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    moveMouse(g.pictureView(), QPoint(300, 200));
    shoot("srtm_open.png");

    // The dialogs as the user sees them (shown without waiting for an answer).
    for (const char* name : {"nullDataDefinitionForm", "seaLevelClippingParameters"}) {
        auto* dialog = g.findChild<EntryDialog*>(name);
        ASSERT_TRUE(dialog) << name;
        dialog->move(200, 560);
        dialog->show();
        shoot((std::string(name) + ".png").c_str());
        dialog->hide();
    }

    entries["nullDataDefinitionForm"] = {{"nullDataEdit", "-32000"}};
    trigger("actionSetNullDataDefinition");
    trigger("actionInterpolateSubsetArray");
    QTest::mousePress(g.pictureView(), Qt::LeftButton, {}, QPoint(100, 100));
    moveMouse(g.pictureView(), QPoint(400, 300));
    shoot("srtm_subset_drag.png");
    QTest::mouseRelease(g.pictureView(), Qt::LeftButton, {}, QPoint(400, 300));
    m.RunGridmend1Click();
    shoot("srtm_filled.png");

    BatchDialog& batch = *m.batchDialog();
    modals.answer = [&, next = modals.answer](QDialog& d) {
        if (d.objectName() != "batchModeDialog") return next(d);
        for (const char* name : {"N49E011.hgt", "N49E012.hgt", "N50E011.hgt"}) {
            filedialogs::queueAnswers({QString("/data/tiles/") + name});
            d.findChild<QPushButton*>("addFilesButton")->click();
        }
        d.move(200, 560);
        d.show();
        shoot("batch_dialog.png");
        d.hide();
        return int(QDialog::Rejected);
    };
    m.SRTMtoSRTM1Click();
    EXPECT_EQ(batch.list().batchFileCount(), 3);
}

TEST_F(SrtmWindowFixture, ViewScreenshots)
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
    m.session().numberElevationRows = 1201;
    m.session().numberElevationColumns = 1201;
    m.session().solutionGrid = std::move(tile);
    m.enableAfterRun();
    auto* form = registry.find<ImageForm>();
    auto* view = registry.find<ThreeDWindow>();
    auto* panel = registry.find<ThreeDControlPanel>();
    auto shoot = [&](const char* name) {
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(QString(dir) + "/" + name);
    };
    m.move(0, 0);
    m.show();
    m.DisplayImage1Click();
    form->move(700, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    form->scrollArea()->verticalScrollBar()->setValue(300);
    moveMouse(form->pictureLabel(), QPoint(250, 420));
    QTest::qWait(200);
    shoot("display2d.png");
    form->close();

    m.Display3DImage1Click();
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
    filedialogs::queueAnswers({QString(dir) + "/stereo_plus.jpg"});
    m.jpg1Click();
    panel->button("StereoImage --")->click();
    filedialogs::queueAnswers({QString(dir) + "/stereo_minus.jpg"});
    m.jpg1Click();
    panel->button("Restore")->click();
    shoot("display3d_restored.png");
}
