// The main window's save commands of the formats built so far.
#include "app/MainWindow.h"

#include "app/SaveCommands.h"
#include "app/SolutionOutputs.h"
#include "graphics/GraphicsWindow.h"
#include "formats/SrtmHgt.h"
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

void MainWindow::SaveSRTM1Click()
{
    if (!session_.solutionGrid) return;
    // The tile is built first: a result larger than 3601 x 3601 logs "File size error." and asks nothing.
    const auto tile = srtmTileFromSolution(*session_.solutionGrid, *this);
    if (!tile) return;
    const QString path = filedialogs::saveFile(this, "SRTM height field|*.hgt", ".hgt");
    saveSrtmTile(path.toStdString(), *tile, *this);
}

void MainWindow::SaveGeoTiff1Click()
{
    if (!session_.solutionGrid) return;
    const QString path = filedialogs::saveFile(this, "GeoTIFF|*.tif;*.tiff", ".tif");
    if (path.isEmpty()) return;
    const GraphicsModel* graphics = graphicsWindow_ ? &graphicsWindow_->model() : nullptr;
    saveSolutionGeoTiff(path.toStdString(), session_, solutionRaster(session_, graphics), *this);
}
