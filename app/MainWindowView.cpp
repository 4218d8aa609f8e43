// "Display 2D Image", "Display 3D Image", "Save Image", "Save3D Image" > "jpg"
// and the pointer readout of the picture windows.
#include "app/MainWindow.h"

#include "app/WindowRegistry.h"
#include "graphics/GraphicsWindow.h"
#include "ui/FileDialogs.h"
#include "view/ImageWindows.h"
#include "view/JpegSnapshot.h"
#include "view/OffscreenRender.h"
#include "view/ThreeDControlPanel.h"
#include "view/ThreeDWindow.h"

#include <QAction>

namespace {
template <class W>
W* findWindow(const WindowRegistry* registry)
{
    return registry ? registry->find<W>() : nullptr;
}
} // namespace

void MainWindow::DisplayImage1Click()
{
    const GreyImage image = displaySolution(session_, *this);
    if (image.picture.empty()) return;
    if (auto* form = findWindow<ImageForm>(registry_)) {
        form->setPicture(image);
        form->show();
        form->raise();
    }
    action("actionSaveImage")->setEnabled(true);
}

void MainWindow::Display3DImage1Click()
{
    auto* panel = findWindow<ThreeDControlPanel>(registry_);
    auto* view = findWindow<ThreeDWindow>(registry_);
    if (panel) panel->show();
    if (view) {
        view->show();
        view->raise();
        view->render();
    }
}

void MainWindow::SaveImage1Click()
{
    const std::string path = filedialogs::saveFile(this, "bmp|*.bmp", ".bmp").toStdString();
    if (path.empty()) return;
    log(path);
    if (auto* form = findWindow<ImageForm>(registry_)) saveWindowPicture(*form, path, *this);
}

void MainWindow::jpg1Click()
{
    auto* view = findWindow<ThreeDWindow>(registry_);
    auto* form65 = findWindow<JpegSnapshotWindow>(registry_);
    if (!view || !form65) return;
    const std::string path = filedialogs::saveFile(this, "JPEG|*.jpg", ".jpg").toStdString();
    if (path.empty()) return;
    const QImage client = form65->clientImage(view->snapshot(), view->size());
    const std::vector<std::uint8_t> rgb = packedRgb(client);
    saveSnapshotJpeg(path, rgb.data(), client.width(), client.height(), *this);
}

void MainWindow::showPointerReadout(int x, int y, const QString& elevation, bool showElevation)
{
    showCoordinateReadouts(true);
    setReadout(Readout::X, QString::number(x));
    setReadout(Readout::Y, QString::number(y));
    if (showElevation) setReadout(Readout::Elevation, elevation);
}

void MainWindow::connectPictureWindows(ImageForm* form, GrayscaleWindow* grayscale)
{
    // The 2-D image window leaves the elevation to the graphics window's own readout while it holds a tile.
    connect(form, &GreyImageWindow::readout, this, [this](int x, int y, const QString& elevation) {
        showPointerReadout(x, y, elevation, !(graphicsWindow_ && graphicsWindow_->model().demTileLoaded));
    });
    connect(grayscale, &GreyImageWindow::readout, this,
            [this](int x, int y, const QString& elevation) { showPointerReadout(x, y, elevation, true); });
    for (GreyImageWindow* w : {static_cast<GreyImageWindow*>(form), static_cast<GreyImageWindow*>(grayscale)})
        connect(w, &GreyImageWindow::closed, this, [this] { showCoordinateReadouts(false); });
}
