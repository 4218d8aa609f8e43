// "Save Terragen", "Save BSQ", "Save POV-Ray TGA", "Save Grayscale TGA".
#include "app/MainWindow.h"

#include "app/TerragenScaleDialog.h"
#include "app/WindowRegistry.h"
#include "formats/Bsq.h"
#include "formats/Terragen.h"
#include "formats/Tga.h"
#include "ui/FileDialogs.h"

namespace {

/// The save dialog; the chosen path is logged. Empty when cancelled or without a solution.
std::string askExportPath(MainWindow& w, const char* filter, const char* extension)
{
    if (!w.session().solutionGrid) return {};
    const std::string path = filedialogs::saveFile(&w, filter, extension).toStdString();
    if (!path.empty()) w.log(path);
    return path;
}

} // namespace

void MainWindow::SaveTerragen1Click()
{
    const std::string path = askExportPath(*this, "terragen|*.ter", ".ter");
    if (path.empty()) return;
    if (auto* dialog = registry_ ? registry_->find<TerragenScaleDialog>() : nullptr)
        dialog->showModal();
    saveTerragen(path, *session_.solutionGrid, terragenHeightScale, *this);
}

void MainWindow::SaveBSQ1Click()
{
    const std::string path = askExportPath(*this, "sixteen bit binary|*.bsq", ".bsq");
    if (!path.empty()) saveBsq(path, *session_.solutionGrid, *this);
}

void MainWindow::SavePOVRayTGA1Click()
{
    const std::string path = askExportPath(*this, "tga files|*.tga", ".tga");
    if (!path.empty()) saveTga(path, *session_.solutionGrid, TgaKind::PovRay, *this);
}

void MainWindow::SaveGrayscaleTGA1Click()
{
    const std::string path = askExportPath(*this, "tga files|*.tga", ".tga");
    if (!path.empty()) saveTga(path, *session_.solutionGrid, TgaKind::Grayscale, *this);
}
