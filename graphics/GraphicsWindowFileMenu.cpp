// The graphics window's File menu: "Input Data", "Close" and the save commands.
#include "graphics/GraphicsWindow.h"

#include "app/core/Reporter.h"
#include "app/core/GridHandover.h"
#include "graphics/PictureFile.h"
#include "formats/SrtmHgt.h"
#include "graphics/GraphicsDialogs.h"
#include "graphics/GraphicsSaves.h"
#include "graphics/MapTools.h"
#include "graphics/PictureView.h"
#include "ui/FileDialogs.h"
#include "ui/Modal.h"

#include <QCloseEvent>
#include <QTimer>

void GraphicsWindow::InputData1Click()
{
    if (!model_.holdsContent()) {
        reporter_.log(kNothingToHandOverLine);
        return;
    }
    // The copy is built after the dialog, with the LSQR count just entered.
    if (host.requestSolverParameters) host.requestSolverParameters();
    model_.handOverInputData(session_);
}

bool GraphicsWindow::Close1Click()
{
    if (refuseWhileBusy()) return false;
    if (!model_.saved) {
        if (modal::exec(closingDialog()) != QDialog::Accepted) return false;
        model_.saved = true;
    }
    closeWithoutAsking();
    return true;
}

void GraphicsWindow::closeWithoutAsking()
{
    model_.closeAndHandOver(session_);
    binarized_ = elevationsLoaded_ = false;
    applyEnablingRules();
    if (host.zoomLabel) host.zoomLabel(1);
    if (host.readoutsVisible) host.readoutsVisible(false);
    if (mapTools_) mapTools_->closeElevationControlPanel();
    timer_->stop();
    view_->setCursor(Qt::ArrowCursor);
    resize(400, 400);
    closing_ = true;
    close();
    closing_ = false;
}

void GraphicsWindow::closeEvent(QCloseEvent* event)
{
    // The title bar's close button is the "Close" command.
    if (closing_ || Close1Click()) event->accept();
    else event->ignore();
}

void GraphicsWindow::SaveGraphicsImage1Click()
{
    const QString path = filedialogs::saveFile(this, "bmp|*.bmp", ".bmp");
    saveGraphicsImage(path.toStdString(), model_, reporter_);
}

void GraphicsWindow::SaveSRTMGrayscaleImage1Click()
{
    const QString path = filedialogs::saveFile(this, "bmp|*.bmp", ".bmp");
    if (!path.isEmpty() && plugins.saveSrtmGrayscaleImage) plugins.saveSrtmGrayscaleImage(path.toStdString());
}

void GraphicsWindow::SaveElevationArray1Click()
{
    const QString path = filedialogs::saveFile(this, "elevation|*.elv", ".elv");
    saveGraphicsElevationArray(path.toStdString(), model_, reporter_);
}

void GraphicsWindow::SaveSRTMHeightfield1Click()
{
    const auto tile = srtmHeightfieldTile(model_.elevationArray, reporter_);
    if (!tile) return;
    const QString path = filedialogs::saveFile(this, "SRTM Heigtfield|*.hgt", ".hgt");
    if (saveSrtmTile(path.toStdString(), *tile, reporter_)) model_.saved = true;
}

void GraphicsWindow::SaveGeoTiff1Click()
{
    const QString path = filedialogs::saveFile(this, "GeoTIFF|*.tif;*.tiff", ".tif");
    saveGraphicsGeoTiff(path.toStdString(), model_, reporter_);
}

void GraphicsWindow::SaveIndexArray1Click()
{
    const QString path = filedialogs::saveFile(this, "index|*.ind", ".ind");
    saveGraphicsIndexArray(path.toStdString(), model_, reporter_);
}
