#include "app/MainWindow.h"
#include "app/ShellWindows.h"
#include "app/WindowRegistry.h"
#include "graphics/GraphicsWindow.h"
#include "ui/Modal.h"

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(Startup, SplashShowsTheMainWindowAndTheNoticeWaitsForAccept)
{
    QStringList sequence;
    modal::setAnswerer([&](QDialog& d) {
        if (d.objectName() == "splashWindow") {
            QTest::qWait(50);   // the 3 ms timer fires while the splash is up
            sequence << "splash";
            return d.result();
        }
        if (auto* notice = qobject_cast<NoticeWindow*>(&d)) {
            EXPECT_TRUE(notice->parentWidget()->isVisible());
            sequence << "notice";
            notice->findChild<QPushButton*>("acceptButton")->click();
            return notice->result();
        }
        return 0;
    });
    {
        WindowRegistry registry;
        QTest::qWait(20);
        EXPECT_EQ(std::tuple(sequence, registry.mainWindow().isVisible(), registry.find<SplashWindow>()->isVisible()),
                  std::tuple(QStringList{"splash", "notice"}, true, false));
    }
    modal::setAnswerer({});
}

TEST(Startup, OnlyAcceptClosesTheNotice)
{
    NoticeWindow notice(nullptr);
    EXPECT_FALSE(notice.windowFlags() & Qt::WindowCloseButtonHint);
    notice.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&notice));
    EXPECT_FALSE(notice.close());   // the title bar's close
    QTest::keyClick(&notice, Qt::Key_Escape);
    EXPECT_TRUE(notice.isVisible());
    notice.findChild<QPushButton*>("acceptButton")->click();
    EXPECT_EQ(std::pair(notice.isVisible(), notice.result()), std::pair(false, int(QDialog::Accepted)));
}

