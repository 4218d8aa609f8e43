#include "app/MainWindow.h"
#include "app/WindowRegistry.h"
#include "ui/FileDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    try {
        filedialogs::setFirstOpenFolder(filedialogs::samplesFolder());
        WindowRegistry registry;
        return QApplication::exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "gridmend", QString("GRIDMEND could not start: %1").arg(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, "gridmend", "GRIDMEND could not start.");
    }
    return 1;
}
