#include "graphics/MapTools.h"

#include "graphics/ElevationControlPanel.h"
#include "graphics/GraphicsDialogs.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/ImageDialogs.h"
#include "ui/ErrorWindow.h"

#include <QApplication>
#include <QThread>

namespace {
template <class T, class Make>
void ensure(T*& window, Make make)
{
    if (!window) window = make();
}
} // namespace

MapTools::MapTools(GraphicsWindow& window, Reporter& reporter, MapToolWindows windows, ReferencePicture reference)
    : QObject(&window), window_(window), reporter_(reporter), w_(windows), reference_(std::move(reference))
{
    setObjectName("mapTools");
    QWidget* parent = &window;
    ensure(w_.elevationPanel, [&] { return new ElevationControlPanel(window.model(), parent); });
    ensure(w_.filterValues, [&] { return new FilterValuesDialog(parent); });
    ensure(w_.filterLimits, [&] { return new FilterLimitsDialog(parent); });
    ensure(w_.byteFilter, [&] { return new ByteFilterDialog(parent); });
    ensure(w_.markerColor, [&] { return new MarkerColorDialog(parent); });
    ensure(w_.backgroundColor, [&] { return makeBackgroundColorDialog(parent); });
    ensure(w_.pixelNeighbor, [&] { return new PixelNeighborDialog(parent); });
    ensure(w_.referenceSize, [&] { return makeReferenceSizeErrorWindow(parent); });
    ensure(w_.searchRadius, [&] { return new SearchRadiusDialog(parent); });
    ensure(w_.scaleFactor, [&] { return makeScaleFactorDialog(parent); });
    ensure(w_.unsharpMask, [&] { return makeUnsharpMaskDialog(parent); });
    ensure(w_.pixelLimit, [&] { return makePixelLimitDialog(parent); });
    ensure(w_.elevationDialog, [&] { return makeElevationDialog(parent); });
    wireImageCommands();
    wireContourCommands();
    wireContourClicks();
    window_.applyEnablingRules();
}

MapTools::~MapTools()
{
    // The connect worker only posts the operation; it has ended or ends at once.
    if (connectThread_) connectThread_->wait();
}

void MapTools::beep()
{
    ++beeps;
    QApplication::beep();
}
