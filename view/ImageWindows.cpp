#include "view/ImageWindows.h"

#include "formats/Bmp.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

PictureLabel::PictureLabel(QWidget* parent)
    : QLabel(parent)
{
    setMouseTracking(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureLabel::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit pointerMoved(p.x(), p.y());
    QLabel::mouseMoveEvent(event);
}

// --- grey picture windows ---------------------------------------------------

GreyImageWindow::GreyImageWindow(const QString& caption, int maxVisible, QWidget* parent)
    : QWidget(parent, Qt::Window), maxVisible_(maxVisible)
{
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setMinimumSize(1, 1);   // a small picture gets a window of its own size
    label_ = new PictureLabel;
    label_->setObjectName("picture");
    scroll_->setWidget(label_);
    layout->addWidget(scroll_);
    connect(label_, &PictureLabel::pointerMoved, this, &GreyImageWindow::pointerAt);
}

void GreyImageWindow::setPicture(const GreyImage& image)
{
    picture_ = image.picture;
    slope_ = image.displaySlope;
    intercept_ = image.displayIntercept;
    const int w = picture_.cols(), h = picture_.rows();
    QImage shown(picture_.data(), w, h, w, QImage::Format_Grayscale8);
    label_->setPixmap(QPixmap::fromImage(shown));   // the pixmap holds its own copy
    label_->resize(w, h);
    const int visibleW = maxVisible_ > 0 && w > maxVisible_ ? maxVisible_ : w;
    const int visibleH = maxVisible_ > 0 && h > maxVisible_ ? maxVisible_ : h;
    const bool scrollsX = visibleW < w, scrollsY = visibleH < h;
    scroll_->setHorizontalScrollBarPolicy(scrollsX ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(scrollsY ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    const int barW = scrollsY ? scroll_->verticalScrollBar()->sizeHint().width() : 0;
    const int barH = scrollsX ? scroll_->horizontalScrollBar()->sizeHint().height() : 0;
    resize(visibleW + barW, visibleH + barH);
}

void GreyImageWindow::pointerAt(int x, int y)
{
    if (!picture_.contains(y, x)) return;
    emit readout(x, y, QString::fromStdString(readoutElevation(greyColour(picture_(y, x)), slope_, intercept_)));
}

void GreyImageWindow::closeEvent(QCloseEvent* event)
{
    emit closed();
    QWidget::closeEvent(event);
}

ImageForm::ImageForm(QWidget* parent)
    : GreyImageWindow("GRIDMEND Graphics", 500, parent)
{
    setObjectName("imageForm");
}

GrayscaleWindow::GrayscaleWindow(QWidget* parent)
    : GreyImageWindow("SRTM Grayscale Image Form", 0, parent)
{
    setObjectName("grayscaleWindow");
}

bool saveWindowPicture(const GreyImageWindow& window, const std::string& path, Reporter& reporter)
{
    return writeGreyBmp(path, window.picture(), reporter);
}

// --- reference image ----------------------------------------------------------

ReferenceImageWindow::ReferenceImageWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle("Reference Image");
    setObjectName("referenceImageWindow");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea(this);
    label_ = new QLabel;
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setCursor(Qt::CrossCursor);
    scroll_->setWidget(label_);
    layout->addWidget(scroll_);
}

void ReferenceImageWindow::loadPicture(const QImage& picture)
{
    picture_ = picture.convertToFormat(QImage::Format_RGB888);
    label_->setPixmap(QPixmap::fromImage(picture_));
    label_->resize(picture_.size());
    resize(picture_.size());
    show();
}

IntGrid ReferenceImageWindow::asArray() const
{
    IntGrid array(picture_.height(), picture_.width());
    for (int y = 0; y < array.rows(); ++y) {
        const uchar* line = picture_.constScanLine(y);
        std::int32_t* out = array.row(y);
        for (int x = 0; x < array.cols(); ++x)
            out[x] = line[3 * x] << 16 | line[3 * x + 1] << 8 | line[3 * x + 2];
    }
    return array;
}

// --- Form65 ------------------------------------------------------------------

JpegSnapshotWindow::JpegSnapshotWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle("Form65");
    setObjectName("jpegSnapshotWindow");
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    label_ = new QLabel(this);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->move(0, 0);
}

QImage JpegSnapshotWindow::clientImage(const QImage& snapshot, QSize clientSize)
{
    resize(clientSize);
    label_->setPixmap(QPixmap::fromImage(snapshot));
    label_->resize(snapshot.size());
    QImage client = grab().toImage().convertToFormat(QImage::Format_RGB888);
    label_->clear();
    close();
    return client;
}
