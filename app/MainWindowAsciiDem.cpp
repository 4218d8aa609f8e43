// "SaveASCIIDEM": the save dialog, the "ASCII DEM Data Entry Form", then the
// USGS ASCII DEM of the solution with the georeference stored last.
#include "app/MainWindow.h"

#include "app/AsciiDemForm.h"
#include "app/SaveCommands.h"
#include "app/WindowRegistry.h"
#include "ui/FileDialogs.h"

void MainWindow::SaveASCIIDEMClick()
{
    if (!session_.solutionGrid) return;
    const std::string path = filedialogs::saveFile(this, "dem|*.dem", ".dem").toStdString();
    if (path.empty()) return;
    log(path);
    // Submit stores the entries; with Cancel the values stored last are written.
    if (auto* form = registry_ ? registry_->find<AsciiDemDataEntryForm>() : nullptr) form->showModal();
    saveUsgsAsciiDem(path, session_, usgsDemGeoreference, *this);
}
