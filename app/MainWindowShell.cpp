// "Help", "About" and "Exit".
#include "app/MainWindow.h"

#include "app/ShellWindows.h"
#include "app/WindowRegistry.h"

#include <QApplication>

void MainWindow::Help1Click()
{
    if (auto* help = registry_ ? registry_->find<HelpWindow>() : nullptr) {
        help->show();
        help->raise();
    }
}

void MainWindow::About1Click()
{
    if (auto* about = registry_ ? registry_->find<AboutWindow>() : nullptr) about->showModal();
}

void MainWindow::Exit1Click()
{
    QApplication::quit();
}
