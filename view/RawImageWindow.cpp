#include "view/RawImageWindow.h"

#include "formats/ErMapper.h"

#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

QImage colourImage(const IntGrid& colours)
{
    QImage image(colours.cols(), colours.rows(), QImage::Format_RGB32);
    for (int y = 0; y < colours.rows(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const std::int32_t* in = colours.row(y);
        for (int x = 0; x < colours.cols(); ++x) line[x] = 0xFF000000u | (std::uint32_t(in[x]) & 0xFFFFFFu);
    }
    return image;
}

RawColourImageWindow::RawColourImageWindow(const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    label_ = new QLabel;
    label_->setObjectName("picture");
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->setWidget(label_);
    layout->addWidget(scroll_);
}

void RawColourImageWindow::showValues(const IntGrid& values)
{
    picture_ = colourImage(rawValueColours(values));
    label_->setPixmap(QPixmap::fromImage(picture_));
    label_->resize(picture_.size());
    resize(picture_.size());
    show();
    raise();
}

ErImageWindow::ErImageWindow(QWidget* parent)
    : RawColourImageWindow("Australian ER Image Form", parent)
{
    setObjectName("erImageWindow");
}
