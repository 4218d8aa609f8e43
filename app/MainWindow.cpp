#include "app/MainWindow.h"

#include "ui/MessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QThread>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle("GRIDMEND");
    setObjectName("mainWindow");
    createLayout();
    createMenus();
}

MainWindow::~MainWindow() = default;

void MainWindow::createLayout()
{
    auto* central = new QWidget(this);
    central->setFixedSize(666, 519);
    setCentralWidget(central);

    auto* heading = new QLabel("Diagnostics and Status Window", central);
    heading->setGeometry(24, 12, 300, 20);

    log_ = new QPlainTextEdit(central);
    log_->setObjectName("diagnosticsLog");
    log_->setReadOnly(true);
    log_->setGeometry(24, 36, 465, 361);
    log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    log_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono("Courier New");
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSize(9);
    log_->setFont(mono);
    log_->setPlainText("Open an input file to begin.");

    progress_ = new QProgressBar(central);
    progress_->setObjectName("progressBar");
    progress_->setOrientation(Qt::Vertical);
    progress_->setGeometry(497, 36, 17, 361);
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);
    progress_->hide();

    struct Label { const char* caption; int x, y; std::vector<QLabel*>* group; Readout value; bool hasValue; };
    const Label labels[] = {
        {"X coordinate", 530, 40, &coordinateLabels_, Readout::X, true},
        {"Y coordinate", 530, 90, &coordinateLabels_, Readout::Y, true},
        {"Elevation", 530, 140, &elevationLabels_, Readout::Elevation, true},
        {"Graphics Zoom Factor", 530, 190, &tileLabels_, Readout::Zoom, true},
        {"Longitude", 530, 240, &tileLabels_, Readout::Longitude, true},
        {"Latitude", 530, 300, &tileLabels_, Readout::Latitude, true},
    };
    for (const Label& l : labels) {
        auto* caption = new QLabel(l.caption, central);
        caption->setGeometry(l.x, l.y, 130, 18);
        auto* value = new QLabel(central);
        value->setGeometry(l.x, l.y + 20, 90, 18);
        readoutValues_[l.value] = value;
        if (l.group) {
            l.group->push_back(caption);
            l.group->push_back(value);
        }
        if (l.value == Readout::Longitude || l.value == Readout::Latitude) {
            auto* degrees = new QLabel("degrees", central);
            degrees->setGeometry(l.x + 92, l.y + 20, 50, 18);
            tileLabels_.push_back(degrees);
        }
    }
    // At start-up only the "Elevation" caption and its value label are visible.
    readoutValues_[Readout::X]->setObjectName("xValue");
    readoutValues_[Readout::Y]->setObjectName("yValue");
    readoutValues_[Readout::Elevation]->setObjectName("elevationValue");
    readoutValues_[Readout::Zoom]->setObjectName("zoomValue");
    readoutValues_[Readout::Longitude]->setObjectName("longitudeValue");
    readoutValues_[Readout::Latitude]->setObjectName("latitudeValue");
    for (QLabel* l : coordinateLabels_) l->hide();
    showTileReadouts(false);
    adjustSize();
    setFixedSize(sizeHint());
}

QAction* MainWindow::action(const QString& objectName) const
{
    auto it = actions_.find(objectName);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::setReadout(Readout which, const QString& text)
{
    readoutValues_.at(which)->setText(text);
}

void MainWindow::showCoordinateReadouts(bool visible)
{
    for (QLabel* l : coordinateLabels_) l->setVisible(visible);
    for (QLabel* l : elevationLabels_) l->setVisible(visible);
}

void MainWindow::showTileReadouts(bool visible)
{
    for (QLabel* l : tileLabels_) l->setVisible(visible);
}

// --- Reporter -------------------------------------------------------------

void MainWindow::log(std::string_view line)
{
    log_->appendPlainText(QString::fromUtf8(line.data(), qsizetype(line.size())));
    log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

void MainWindow::progressStart(int minimum, int maximum)
{
    progress_->setRange(minimum, maximum < minimum ? minimum : maximum);
    progress_->setValue(minimum);
    progress_->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::progressStep()
{
    // QProgressBar repaints at once whenever the step changes what it shows (and only then),
    // so loops of millions of steps (the points of a LAS file) stay fast.
    progress_->setValue(progress_->value() + 1);
}

void MainWindow::progressHide()
{
    progress_->hide();
}

void MainWindow::notice(std::string_view caption, std::string_view text)
{
    showMessageBox(this, QString::fromUtf8(caption.data(), qsizetype(caption.size())),
                   QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void MainWindow::completionSignal()
{
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && beepPauseMs > 0) QThread::msleep(unsigned(beepPauseMs));
        QApplication::beep();
        ++beepCount;
    }
}

// --- Enabling rules ---------------------------------------------------------

void MainWindow::setRunEnabled(bool enabled)
{
    action("actionRunGridmend")->setEnabled(enabled);
}

void MainWindow::enableAfterRun()
{
    for (const char* name : {"actionSaveAscii", "actionSaveAsciiDem", "actionSaveSrtm", "actionSaveBsq",
                             "actionSaveTerragen", "actionSaveElevationArray", "actionSavePovRayTga",
                             "actionSaveGrayscaleTga", "actionSaveDted1", "actionSave3dImage", "actionSaveGeoTiff",
                             "actionView", "actionDisplay2dImage", "actionDisplay3dImage"})
        action(name)->setEnabled(true);
    setRunEnabled(false);
}

