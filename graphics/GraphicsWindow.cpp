#include "graphics/GraphicsWindow.h"

#include "app/core/Reporter.h"
#include "graphics/GraphicsDialogs.h"
#include "graphics/MapTools.h"
#include "graphics/PictureView.h"
#include "ui/ErrorWindow.h"

#include <QAction>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

GraphicsWindow::GraphicsWindow(GridHandover& session, Reporter& reporter, QWidget* parent)
    : QMainWindow(parent, Qt::Window), session_(session), reporter_(reporter)
{
    setWindowTitle("GRIDMEND Graphics");
    setObjectName("graphicsWindow");
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("graphicsScrollArea");
    scroll_->setWidgetResizable(false);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setBackgroundRole(QPalette::Base);
    view_ = new PictureView;
    view_->setObjectName("graphicsPicture");
    view_->setPicture(&model_.display);
    scroll_->setWidget(view_);
    setCentralWidget(scroll_);
    timer_ = new QTimer(this);
    timer_->setObjectName("overlayTimer");
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] {
        timer_->stop();
        model_.renderArrays();
    });
    model_.hooks.changed = [this] { modelChanged(); };
    model_.hooks.contentReplaced = [this] { contentReplaced(); };
    model_.hooks.clicks.interpolateSubset = [this](const CellRect& rect) { interpolateSubset(rect); };
    createMenus();
    connectView();
    resize(400, 400);
}

GraphicsWindow::~GraphicsWindow() = default;

void GraphicsWindow::modelChanged()
{
    view_->pictureChanged();
    if (host.zoomLabel) host.zoomLabel(model_.zoomFactor);
    applyEnablingRules();
}

void GraphicsWindow::contentReplaced()
{
    elevationsLoaded_ = model_.elevationMode || model_.demTileLoaded || model_.erTileLoaded;
    applyEnablingRules();
    if ((model_.demTileLoaded || model_.erTileLoaded) && host.readoutsVisible) host.readoutsVisible(true);
    fitToPicture();
}

void GraphicsWindow::fitToPicture()
{
    const QSize picture = view_->size();
    QSize frame(width() - scroll_->viewport()->width(), height() - scroll_->viewport()->height());
    if (!isVisible()) frame = QSize(0, menuBar()->sizeHint().height());
    QSize want = picture + frame;
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QSize room = s->availableGeometry().size() * 9 / 10;
        want = want.boundedTo(room);
    }
    resize(want.expandedTo(QSize(std::max(120, menuBar()->sizeHint().width()), 80)));
}

void GraphicsWindow::writeText(int x, int y, const QString& text, const QColor& colour)
{
    Picture& d = model_.display;
    if (d.empty()) return;
    QImage image(reinterpret_cast<uchar*>(d.data()), d.cols(), d.rows(), qsizetype(d.cols()) * 4,
                 QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setPen(colour);
    painter.drawText(QPoint(x, y), text);
    painter.end();
    view_->pictureChanged();
}

void GraphicsWindow::startOverlayTimer()
{
    timer_->start(std::max(1, int(std::floor(model_.timerIntervalMs))));
}

void GraphicsWindow::setDialogs(ToolPalletteDialog* toolPallatte, PenColorDialog* penColor,
                                ClosingGraphicsDialog* closing, ErrorWindow* zeroArea)
{
    toolPallatte_ = toolPallatte;
    penColor_ = penColor;
    closingDialog_ = closing;
    zeroArea_ = zeroArea;
}

ToolPalletteDialog& GraphicsWindow::toolPalletteDialog()
{
    if (!toolPallatte_) toolPallatte_ = new ToolPalletteDialog(this);
    return *toolPallatte_;
}

PenColorDialog& GraphicsWindow::penColorDialog()
{
    if (!penColor_) penColor_ = new PenColorDialog(this);
    return *penColor_;
}

ClosingGraphicsDialog& GraphicsWindow::closingDialog()
{
    if (!closingDialog_) closingDialog_ = new ClosingGraphicsDialog(this);
    return *closingDialog_;
}

ErrorWindow& GraphicsWindow::zeroAreaWindow()
{
    if (!zeroArea_) zeroArea_ = new ErrorWindow(kZeroAreaLines, this);
    return *zeroArea_;
}

void GraphicsWindow::setMapTools(MapTools* tools)
{
    mapTools_ = tools;
}

MapTools& GraphicsWindow::mapTools()
{
    if (!mapTools_) setMapTools(new MapTools(*this, reporter_, {}, {}));
    return *mapTools_;
}

const RepairDialogs& GraphicsWindow::repairDialogs()
{
    if (!repairDialogs_.nullData) repairDialogs_ = createRepairDialogs(*this, reporter_);
    return repairDialogs_;
}

// --- Picture ----------------------------------------------------------------

void GraphicsWindow::connectView()
{
    view_->pressed = [this](int x, int y, MouseButton button) {
        model_.mouseDown(x, y, button);
        if (model_.rubberBand.active()) view_->setRubberBand(QRect(QPoint(x, y), QPoint(x, y)));
    };
    view_->moved = [this](int x, int y) {
        if (model_.mouseMove(x, y) && model_.rubberBand.active())
            view_->setRubberBand(QRect(QPoint(model_.rubberBand.startX, model_.rubberBand.startY), QPoint(x, y)));
        showReadoutAt(x, y);
    };
    view_->released = [this](int x, int y) {
        const bool band = model_.rubberBand.active();
        if (band) view_->setRubberBand(std::nullopt);
        if (model_.mouseUp(x, y, reporter_) == RubberBandOutcome::ZeroArea) zeroAreaWindow().showModal();
    };
    view_->doubleClicked = [this](int x, int y) {
        if (model_.hooks.clicks.doubleClick) model_.hooks.clicks.doubleClick(x, y);
    };
}

void GraphicsWindow::showReadoutAt(int x, int y)
{
    auto readout = model_.tileReadoutAt(x, y);
    if (!readout || !host.readout) return;
    host.readout(QString::number(readout->column), QString::number(readout->row),
                 readout->value ? QString::number(*readout->value, 'f', 2) : QString(),
                 QString::number(readout->longitude, 'f', 3), QString::number(readout->latitude, 'f', 3));
}
