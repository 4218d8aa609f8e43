#include "app/MainWindow.h"
#include "app/ShellWindows.h"
#include "app/WindowRegistry.h"
#include "graphics/GraphicsWindow.h"
#include "ui/ErrorWindow.h"
#include "ui/Modal.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(Startup, CreatesTheWindowsInTheProgramsOrder)
{
    WindowRegistry registry(WindowRegistry::Options{false});
    const auto& order = WindowRegistry::creationOrder();
    ASSERT_EQ(order.size(), 64u);
    // Every created window is the next of its caption in the list, in order.
    std::size_t next = 0;
    for (const auto& w : registry.windows()) {
        ASSERT_TRUE(w);
        const QString caption = w->windowTitle();
        while (next < order.size() && order[next] != caption) ++next;
        ASSERT_LT(next, order.size()) << caption.toStdString() << " out of order";
        ++next;
    }
    EXPECT_EQ(registry.windows().front()->windowTitle(), "GRIDMEND");
    EXPECT_EQ(QApplication::applicationName(), "gridmend");
}

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
            EXPECT_TRUE(notice->parentWidget()->isVisible());   // the main window
            sequence << "notice";
            notice->findChild<QPushButton*>("acceptButton")->click();
            return notice->result();
        }
        return 0;
    });
    {
        WindowRegistry registry;
        QTest::qWait(20);
        EXPECT_EQ(sequence, (QStringList{"splash", "notice"}));
        EXPECT_TRUE(registry.mainWindow().isVisible());
        EXPECT_FALSE(registry.find<SplashWindow>()->isVisible());
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
    EXPECT_FALSE(notice.isVisible());
    EXPECT_EQ(notice.result(), QDialog::Accepted);
}

TEST(Startup, NoticeAboutAndHelpHaveTheirTexts)
{
    const QStringList notice = NoticeWindow::noticeText().split('\n');
    EXPECT_EQ(notice.mid(0, 8), (QStringList{"", "", "This program has known inaccuracies ",
                                             "as detailed in the 'Help' section.", "",
                                             "The program is not designed to be ", "used in mission-critical GIS ",
                                             "applications."}));
    WindowRegistry registry(WindowRegistry::Options{false});
    auto* about = registry.find<AboutWindow>();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), "About");
    EXPECT_TRUE(about->findChild<QLabel*>("versionLabel")->text() == "GRIDMEND version 4.02");

    auto* help = registry.find<HelpWindow>();
    registry.mainWindow().action("actionHelp")->trigger();
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
    EXPECT_TRUE(registry.mainWindow().isEnabled());
    const QString guide = help->textBox()->toPlainText();
    for (const char* section : {"INTRODUCTION", "PREPARING INTERPOLATION INPUT", "THE GRAPHICS PREPROCESSOR",
                                "REPAIRING SRTM AND ASTER TILES", "SOLVING THE INTERPOLATION PROBLEM",
                                "VIEWING AND MODIFYING THE RESULT", "3-D IMAGES", "KNOWN ISSUES"})
        EXPECT_TRUE(guide.contains(section)) << section;

    QStringList shown;
    modal::setAnswerer([&](QDialog& d) { shown << d.windowTitle(); return 1; });
    registry.mainWindow().action("actionAbout")->trigger();
    EXPECT_EQ(shown, QStringList{"About"});
    EXPECT_EQ(generalErrorWindow(registry.mainWindow()).text(), "Please enter a value in each text box.");
    EXPECT_EQ(generalErrorWindow(registry.mainWindow()).windowTitle(), "Error!");
    modal::setAnswerer({});
}
