#include "graphics/MapTools.h"

#include "graphics/ContourCommands.h"
#include "graphics/ElevationControlPanel.h"
#include "graphics/GraphicsDialogs.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/ImageCommands.h"
#include "graphics/ImageDialogs.h"
#include "ui/ErrorWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>

namespace {
template <class T, class Make>
void ensure(T*& window, Make make)
{
    if (!window) window = make();
}

std::int32_t toInt(double v) { return std::int32_t(v); }
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
    connectImageDialogs();
    connectContourDialogs();
    connectClicks();
}

MapTools::~MapTools()
{
    // The connect worker only posts the operation; it has ended or ends at once.
    if (connectThread_) connectThread_->wait();
}

IntGrid MapTools::referencePicture() const
{
    return reference_.get ? reference_.get() : IntGrid();
}

void MapTools::showReferencePicture(const IntGrid& picture)
{
    if (reference_.show) reference_.show(picture);
}

void MapTools::closeElevationControlPanel()
{
    w_.elevationPanel->selectTagAndShowDisabled();
    w_.elevationPanel->close();
}

void MapTools::beep()
{
    ++beeps;
    QApplication::beep();
}

// The dialogs of "Image Processing" whose Submit runs their command ("Binarize" and
// "NAND Arrays" share "Background Color Data Entry": their menu members set its action).
void MapTools::connectImageDialogs()
{
    GraphicsModel& g = window_.model();

    FilterValuesDialog& values = *w_.filterValues;
    values.apply = [&g, &values](const std::vector<double>& v, const QStringList&) {
        for (std::size_t i = 0; i < 16; ++i) g.filterValues[i] = toInt(v[i]);
        g.replacementColour = toInt(v[16]);
        g.tools.valueToggle = values.valueToggle()->isChecked();
        imagecmd::valueFilter(g);
    };
    connect(values.loadValuesButton(), &QPushButton::clicked, &values,
            [&g, &values] { values.loadValues(g.tools.queryHistory.colours); });

    // "Range": Submit stores the values, then the menu command runs the filter.
    FilterLimitsDialog& limits = *w_.filterLimits;
    limits.apply = [&g, &limits](const std::vector<double>& v, const QStringList&) {
        g.tools.rangeFilter.lower = toInt(v[0]);
        g.tools.rangeFilter.upper = toInt(v[1]);
        g.replacementColour = toInt(v[2]);
        g.tools.rangeFilter.keepDiscard = limits.keepDiscard()->isChecked();
        g.rangeTargetReference = limits.referenceImage()->isChecked();
    };
    connect(limits.loadValueButton(), &QPushButton::clicked, &limits,
            [&g, &limits] { limits.loadValue(g.tools.queryHistory.lastQueried); });

    ByteFilterDialog& bytes = *w_.byteFilter;
    bytes.apply = [&g, &bytes](const std::vector<double>& v, const QStringList&) {
        ByteScreen& s = g.tools.byteScreen;
        s.red = toInt(v[0]);
        s.green = toInt(v[1]);
        s.blue = toInt(v[2]);
        s.target = toInt(v[3]);
        s.useTarget = bytes.useTarget()->isChecked();
        s.channel = bytes.screen(0)->isChecked()   ? ScreenChannel::Red
                    : bytes.screen(1)->isChecked() ? ScreenChannel::Green
                    : bytes.screen(2)->isChecked() ? ScreenChannel::Blue
                                                   : ScreenChannel::None;
        imagecmd::byteScreen(g);
    };

    w_.unsharpMask->apply = [&g](const std::vector<double>& v, const QStringList&) {
        g.tools.unsharpMultiplier = v[0];
        imagecmd::unsharpMask(g, v[0]);
    };
    w_.scaleFactor->apply = [&g](const std::vector<double>& v, const QStringList&) {
        g.tools.stretchFactor = float(v[0]);
        imagecmd::stretchOffset(g, g.tools.stretchFactor);
    };
    w_.pixelNeighbor->apply = [&g](const std::vector<double>& v, const QStringList&) {
        g.tools.neighbourCount = toInt(v[0]);
        imagecmd::neighborPattern(g, g.tools.neighbourCount);
    };
}

// The dialogs of line cleaning and elevation drawing.
void MapTools::connectContourDialogs()
{
    GraphicsModel& g = window_.model();

    // "Connect Lines": Submit stores the values and starts connectThread.
    SearchRadiusDialog& radius = *w_.searchRadius;
    radius.apply = [this, &g, &radius](const std::vector<double>& v, const QStringList&) {
        g.tools.searchRadius = int(v[0]);
        g.tools.searchOrder = radius.farthestFirst()->isChecked() ? SearchOrder::FarthestFirst : SearchOrder::ClosestFirst;
        startConnectThread();
    };
    w_.pixelLimit->apply = [this, &g](const std::vector<double>& v, const QStringList&) {
        g.tools.pixelLimit = int(v[0]);
        contourcmd::deleteShortSegments(g, reporter_);
    };
    w_.elevationDialog->apply = [this, &g](const std::vector<double>& v, const QStringList&) {
        contourcmd::setDrawElevation(g, std::int32_t(v[0]), reporter_);
    };
}

void MapTools::connectClicks()
{
    GraphicsWindow& win = window_;
    GraphicsModel& g = win.model();
    ElevationControlPanel& panel = *w_.elevationPanel;
    ClickActions& clicks = g.hooks.clicks;

    clicks.queryPixel = [this, &g](int x, int y) { imagecmd::queryPixelAt(g, x, y, reporter_); };
    clicks.lineScan = [this, &g](int x, int y) { imagecmd::lineScanAt(g, x, y, reporter_); };
    clicks.tag = [this, &win, &g, &panel](int x, int y, MouseButton button) {
        if (win.refuseWhileBusy()) return;
        g.tagging.autoIncrement = panel.autoIncrementChecked();
        const TagOutcome out = contourcmd::tagAt(g, x, y, button, reporter_);
        if (!out.tagged) return;
        win.writeText(x, y, QString::number(out.elevation), Qt::red);
        win.startOverlayTimer();
        panel.showValues();
    };
    clicks.showElevation = [this, &win, &g](int x, int y) {
        const contourcmd::ElevationClick click = contourcmd::showElevationAt(g, x, y, reporter_);
        if (!click.inside) return;
        if (click.query.onLine) {
            win.writeText(x, y, QString::number(click.query.value), Qt::red);
            win.startOverlayTimer();
        }
        beep();
    };
    clicks.removeWeb = [this, &win, &g](int x, int y) {
        if (!win.refuseWhileBusy()) contourcmd::removeWebAt(g, x, y, reporter_);
    };
    clicks.clipText = [&win, &g](const CellRect& rect) {
        if (!win.refuseWhileBusy()) contourcmd::clipText(g, rect, win.holdsLineCode());
    };
    clicks.digitise = [this, &g](int x, int y) {
        if (contourcmd::digitiseAt(g, x, y)) beep();
    };
    clicks.doubleClick = [&win, &g](int, int) {
        if (g.digitiseEnabled && !win.refuseWhileBusy()) contourcmd::drawDigitisedLine(g, win.holdsLineCode());
    };
    clicks.drawElevation = [this, &g](int x, int y) {
        contourcmd::drawElevationAt(g, x, y);
        beep();
    };
}

void MapTools::startConnectThread()
{
    // The worker's only action is to hand the operation to the user-interface thread.
    if (connectThread_) connectThread_->wait();
    QThread* thread = QThread::create([this] {
        QMetaObject::invokeMethod(this, [this] { runConnectLines(); }, Qt::QueuedConnection);
    });
    thread->setObjectName("connectThread");
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connectThread_ = thread;
    thread->start();
}

void MapTools::runConnectLines()
{
    if (window_.refuseWhileBusy()) return;
    contourcmd::connectLines(window_.model(), reporter_);
}
