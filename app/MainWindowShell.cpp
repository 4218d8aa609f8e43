// "Help", "About" and "Exit".
#include "app/MainWindow.h"

#include "app/ShellWindows.h"
#include "app/WindowRegistry.h"

#include <QApplication>

void MainWindow::Help1Click()
{
    if (auto* help = windowRegistry() ? windowRegistry()->find<HelpWindow>() : nullptr) {
        help->show();
        help->raise();
    }
}

void MainWindow::About1Click()
{
    if (auto* about = windowRegistry() ? windowRegistry()->find<AboutWindow>() : nullptr) about->showModal();
}

void MainWindow::Exit1Click()
{
    QApplication::quit();
}
