// Screenshots of the SRTM repair windows for a person to look at: runs only with
// GRIDMEND_SCREENSHOT_DIR set (and GRIDMEND_SCREENSHOT_HGT naming a height file).
#include "SrtmWindowFixture.h"

#include "app/BatchDialog.h"
#include "graphics/PictureView.h"
#include "ui/EntryDialog.h"
#include "MouseMoves.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

TEST_F(SrtmWindowFixture, Screenshots)
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
    handlers["batchModeDialog"] = [&](QDialog& d) {
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
