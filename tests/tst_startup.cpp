#include "app/MainWindow.h"
#include "app/ShellWindows.h"
#include "app/WindowRegistry.h"
#include "ui/Modal.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(Startup, SplashShowsTheMainWindowAndOnlyAcceptClosesTheNotice)
{
    QStringList sequence;
    modal::setAnswerer([&](QDialog& d) {
        auto* notice = qobject_cast<NoticeWindow*>(&d);
        sequence << (notice ? "notice" : d.objectName());
        if (!notice) return QTest::qWait(50), d.result();   // the 3 ms timer fires while the splash is up
        EXPECT_TRUE(notice->parentWidget()->isVisible());
        notice->findChild<QPushButton*>("acceptButton")->click();
        return notice->result();
    });
    {
        WindowRegistry registry;
        QTest::qWait(20);
        EXPECT_EQ(std::tuple(sequence, registry.mainWindow().isVisible(), registry.find<SplashWindow>()->isVisible()),
                  std::tuple(QStringList{"splashWindow", "notice"}, true, false));
    }
    modal::setAnswerer({});
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
