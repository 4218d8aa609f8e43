// The graphics window's line cleaning ("Connect Lines" through connectThread,
// "Delete Short Segments", "Remove Web", "Clip Text"), contour tagging with
// the "Elevation Control Panel", the elevation query, the digitiser and
// elevation drawing: their menu entries and their clicks on the picture.
#include "graphics/MapTools.h"

#include "graphics/ContourCommands.h"
#include "graphics/ElevationControlPanel.h"
#include "graphics/GraphicsDialogs.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/ImageDialogs.h"
#include "ui/Modal.h"

#include <QColor>
#include <QRadioButton>
#include <QThread>

void MapTools::wireContourCommands()
{
    GraphicsWindow& win = window_;
    GraphicsModel& g = win.model();
    auto on = [&win](const char* action, std::function<void()> handler) { win.wire(action, std::move(handler)); };

    // Connect Lines: Submit stores the values and starts connectThread.
    SearchRadiusDialog& radius = *w_.searchRadius;
    radius.apply = [this, &g, &radius](const std::vector<double>& v, const QStringList&) {
        g.tools.searchRadius = int(v[0]);
        g.tools.searchOrder = radius.farthestFirst()->isChecked() ? SearchOrder::FarthestFirst : SearchOrder::ClosestFirst;
        startConnectThread();
    };
    on("actionConnectLines", [&radius] { radius.showModal(); });

    EntryDialog& limit = *w_.pixelLimit;
    limit.apply = [this, &g](const std::vector<double>& v, const QStringList&) {
        g.tools.pixelLimit = int(v[0]);
        contourcmd::deleteShortSegments(g, reporter_);
    };
    on("actionDeleteShortSegments", [&limit] { limit.showModal(); });
    on("actionRemoveWebEnabled", [&g] { g.removeWebEnabled = true; });
    on("actionRemoveWebDisabled", [&g] { g.removeWebEnabled = false; });
    on("actionClipTextEnabled", [&g] { g.clipTextRequest = true; });
    on("actionClipTextDisabled", [&g] { g.clipTextRequest = false; });

    // Tagging and the Elevation Control Panel
    ElevationControlPanel& panel = *w_.elevationPanel;
    on("actionTagSetElevation", [&panel] {
        panel.show();
        panel.raise();
        panel.selectTagAndShowDisabled();
    });
    on("actionTagLinesEnabled", [&panel] { panel.selectTag(true); });
    on("actionTagLinesDisabled", [&panel] { panel.selectTag(false); });
    on("actionShowElevationEnabled", [&panel] { panel.selectShow(true); });
    on("actionShowElevationDisabled", [&panel] { panel.selectShow(false); });
    win.host.selectTagAndShowDisabled = [&panel] { panel.selectTagAndShowDisabled(); };
    win.host.closeElevationControlPanel = [&panel] {
        panel.selectTagAndShowDisabled();
        panel.close();
    };

    // Digitiser and elevation drawing
    on("actionDigitizeEnabled", [&g] { g.digitiseEnabled = true; });
    on("actionDigitizeDisabled", [&g] { contourcmd::disableDigitiser(g); });
    MarkerColorDialog& marker = *w_.markerColor;
    on("actionMarkerColor", [&g, &marker] {
        if (modal::exec(marker) == QDialog::Accepted) g.tools.markerColour = marker.markerColor();
    });
    EntryDialog& elevation = *w_.elevationDialog;
    elevation.apply = [this, &g](const std::vector<double>& v, const QStringList&) {
        contourcmd::setDrawElevation(g, std::int32_t(v[0]), reporter_);
    };
    on("actionSetDrawElevation", [&elevation] { elevation.showModal(); });
    on("actionDrawElevationEnabled", [&g] { contourcmd::enableDrawElevation(g, true); });
    on("actionDrawElevationDisabled", [&g] { contourcmd::enableDrawElevation(g, false); });
}

void MapTools::wireContourClicks()
{
    GraphicsWindow& win = window_;
    GraphicsModel& g = win.model();
    ElevationControlPanel& panel = *w_.elevationPanel;
    ClickActions& clicks = g.hooks.clicks;

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
