// "Open DTED0 Merge DEM", "Open DTED1 Merge DEM", "Open SRTM30 Merge DEM" (the
// patch sources of the graphics window's coarse-tile repair) and "Save DTED1".
#include "app/MainWindow.h"

#include "app/SaveCommands.h"
#include "formats/ErMapper.h"
#include "app/OpenDispatch.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/MergeLoaders.h"
#include "ui/ColourImageWindow.h"
#include "ui/FileDialogs.h"

namespace {

/// Shows a merge source's picture and brings the main window, the graphics window and it to the front.
void showMergeSource(MainWindow& m, const char* objectName, const IntGrid& grid)
{
    m.raise();
    if (m.graphicsWindow()) m.graphicsWindow()->raise();
    auto* window = m.findChild<ColourImageWindow*>(objectName, Qt::FindDirectChildrenOnly);
    if (!window) return;
    window->setPicture(rawValueColours(grid));
    window->show();
    window->raise();
}

} // namespace

std::string MainWindow::chooseMergeFile(const char* filter, const char* defaultExtension)
{
    const std::string path = filedialogs::openFile(this, filter, defaultExtension).toStdString();
    if (path.empty() || !graphicsWindow_) return {};
    log(path);
    log(" ");
    openExtension_ = extensionOf(path);
    return path;
}

void MainWindow::OpenMergeDEM1Click()
{
    const std::string path = chooseMergeFile(kDted0FileFilter, ".dt0");
    if (path.empty()) return;
    GraphicsModel& model = graphicsWindow_->model();
    const MergeLoad load = loadDted0MergeDem(path, openExtension_, model, *this);
    if (load == MergeLoad::WrongType) return;
    if (load == MergeLoad::Loaded) showMergeSource(*this, kDted0BaseFileName, *model.dted0Grid);
    openExtension_.clear();
}

void MainWindow::OpenDTED1MergeDEM1Click()
{
    const std::string path = chooseMergeFile(kDted1FileFilter, ".dt1");
    if (path.empty()) return;
    GraphicsModel& model = graphicsWindow_->model();
    const MergeLoad load = loadDted1MergeDem(path, openExtension_, model, *this);
    if (load == MergeLoad::WrongType) return;
    if (load == MergeLoad::Loaded) {
        showMergeSource(*this, kDted1MergeImageName, *model.dted1Grid);
        graphicsWindow_->applyEnablingRules();   // "Expand DTED1"
    }
    openExtension_.clear();
}

void MainWindow::OpenSRTM30MergeDEM1Click()
{
    const std::string path = chooseMergeFile(kSrtm30FileFilter, "*.hgt");
    if (path.empty()) return;
    if (isSrtm30MergeExtension(openExtension_)) {
        graphicsWindow_->show();
        loadSrtm30MergeDem(path, openExtension_, graphicsWindow_->model(), session_, *this);
    }
    openExtension_.clear();
}

void MainWindow::SaveDTED11Click()
{
    const QString path = filedialogs::saveFile(this, "DTED1|*.dt1", ".dt1");
    const std::vector<std::uint8_t> noHeader;
    saveSolutionAsDted1(path.toStdString(), session_,
                        graphicsWindow_ ? graphicsWindow_->model().dted1Header : noHeader, *this);
}
