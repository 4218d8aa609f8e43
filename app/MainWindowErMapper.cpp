// "Open Australian ER Merge DEM": an ER Mapper tile ("aus_dem_erm") shown as
// its raw-value picture in the "Australian ER Image Form"; the values are not
// kept. (Open loads such a tile into the graphics window instead.)
#include "app/MainWindow.h"

#include "app/OpenDialogs.h"
#include "app/WindowRegistry.h"
#include "formats/ErMapper.h"
#include "app/OpenDispatch.h"
#include "ui/FileDialogs.h"
#include "view/RawImageWindow.h"

namespace {
constexpr const char* kNotErTileNameLine = "Invalid file type.  File name must be aus_dem_erm";
}

void MainWindow::OpenAustralianERMergeDEM1Click()
{
    const std::string path = filedialogs::openFile(this, "ER Mapper Files|aus_dem_erm", "").toStdString();
    if (path.empty()) return;   // a cancelled dialog ends the command
    log(path);
    log(" ");
    log(path);
    const std::string tail = nameTailOf(path);
    log(tail);
    if (tail != kErMapperNameTail) {
        log(kNotErTileNameLine);
        return;
    }
    const WindowRegistry* registry = registry_;
    auto* corner = registry ? registry->find<ErCornerDialog>() : nullptr;
    auto* window = registry ? registry->find<ErImageWindow>() : nullptr;
    if (!corner || !window) return;
    corner->showModal();
    if (auto tile = readErMapperTile(path, *this)) window->showValues(*tile);
}
