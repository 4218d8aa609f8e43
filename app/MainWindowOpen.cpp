// "&Open" and "Open Reference Image": the open dialogs, the dispatch by the
// file's extension, the parameters dialog for the text kinds and the loads
// into the graphics window and the "Reference Image" window.
#include "app/MainWindow.h"

#include "app/SolverParameters.h"
#include "app/SolverParamsDialog.h"
#include "graphics/PictureFile.h"
#include "graphics/GraphicsWindow.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBoxes.h"
#include "view/ImageWindows.h"
#include "view/RawImageWindow.h"

void MainWindow::Open1Click()
{
    const std::string path = filedialogs::openFile(this, kOpenFilter, kOpenDefaultExtension).toStdString();
    if (path.empty()) return;   // a cancelled dialog ends the command
    session_.inputFileName = path;
    log(path);
    log(" ");
    openExtension_ = extensionOf(path);
    const std::string tail = nameTailOf(path);
    log(tail);

    const OpenRow* row = matchOpenRowOrRaster(openExtension_, tail, path);
    if (!row) {
        log(kInvalidOpenLine);
        return;
    }
    if (!row->available()) {
        log(notAvailableLine(*row));
        return;
    }
    if (!paramsDialog_ || !graphicsWindow_) return;   // a main window without its registry
    session_.batchMode = false;   // the new input is what the next Run runs
    switch (row->handling) {
    case OpenHandling::AskParameters: openTextKind(*row); break;
    case OpenHandling::Shapefile: openShapefile(*row); break;
    case OpenHandling::IntoGraphics: openIntoGraphics(*row, path); break;
    }
}

void MainWindow::openTextKind(const OpenRow& row)
{
    session_.sizeFromInput = false;
    session_.inputKind = row.kind;
    paramsDialog_->showModal(false);   // with the row and column entries enabled
    // Without any "Submit" since the program started there is nothing to convert.
    if (!session_.parametersSubmitted) return;
    if (auto failure = convertGridSizeTexts(session_)) {
        showConversionError(this, QString::fromStdString(*failure));
        return;
    }
    if (auto failure = convertIterationTexts(session_)) {
        showConversionError(this, QString::fromStdString(*failure));
        return;
    }
    commonOpenEnding();
}

void MainWindow::openShapefile(const OpenRow& row)
{
    session_.sizeFromInput = true;
    session_.inputKind = row.kind;
    paramsDialog_->showModal(true);   // the row and column entries disabled
    if (shapeFileScalingLimits) shapeFileScalingLimits();
    session_.numberElevationRows = session_.numberElevationColumns = 0;
    if (auto failure = convertIterationTexts(session_)) {
        showConversionError(this, QString::fromStdString(*failure));
        return;
    }
    commonOpenEnding();
}

void MainWindow::commonOpenEnding()
{
    if (auto failure = convertScaleFactorText(session_)) {
        showConversionError(this, QString::fromStdString(*failure));
        return;
    }
    setRunEnabled(true);
}

void MainWindow::openIntoGraphics(const OpenRow& row, const std::string& path)
{
    session_.inputKind = row.kind;
    session_.sizeFromInput = true;
    graphicsWindow_->show();
    graphicsWindow_->raise();
    if (auto ask = askBeforeLoading.find(row.number); ask != askBeforeLoading.end() && ask->second) ask->second();
    if (const GridLoader load = loaderFor(row)) guardedLoad(load, row, path, graphicsWindow_->model(), *this);
    if (row.clearsExtension) openExtension_.clear();
}

void MainWindow::OpenReferenceImage1Click()
{
    const std::string path = filedialogs::openFile(this, kReferenceFilter, "").toStdString();
    if (path.empty()) return;
    log(path);
    log(" ");
    openExtension_ = extensionOf(path);
    if (!isBitmapExtension(openExtension_) && openExtension_ != ".jpg") {
        log(kInvalidReferenceLine);
        return;
    }
    if (!referenceImageWindow_) return;
    session_.inputKind = InputKind::SessionGridInput;
    session_.sizeFromInput = true;
    if (auto picture = readPictureFile(path, openExtension_, *this); picture && !picture->empty()) {
        // The loader keeps the picture's height and width in the window's two values.
        referenceImageWindow_->loaderValue1 = picture->rows();
        referenceImageWindow_->loaderValue2 = picture->cols();
        referenceImageWindow_->loadPicture(colourImage(*picture));
        referenceImageWindow_->raise();
    } else {
        log(kImageFailedLine);
    }
    openExtension_.clear();
}
