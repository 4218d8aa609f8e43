// The main window's save commands of the formats built so far.
#include "app/MainWindow.h"

#include "app/SaveCommands.h"
#include "ui/FileDialogs.h"

void MainWindow::SaveASCIIClick()
{
    const QString path = filedialogs::saveFile(this, "text|*.txt|data|*.dat", ".txt");
    saveAsciiMatrix(path.toStdString(), session_, *this);
}

void MainWindow::SaveBitmapArray1Click()
{
    const QString path = filedialogs::saveFile(this, "elevation|*.elv", ".elv");
    saveSolutionElevationArray(path.toStdString(), session_, *this);
}
