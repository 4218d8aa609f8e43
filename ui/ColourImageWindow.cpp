#include "ui/ColourImageWindow.h"

#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

ColourImageWindow::ColourImageWindow(const QString& caption, const QString& objectName, QSize fixedClient,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), fixedClient_(fixedClient)
{
    setWindowTitle(caption);
    setObjectName(objectName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setMinimumSize(1, 1);
    label_ = new QLabel;
    label_->setObjectName("picture");
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->setWidget(label_);
    layout->addWidget(scroll_);
    if (fixedClient_.isValid()) setFixedSize(fixedClient_);
}

void ColourImageWindow::setPicture(const IntGrid& colours)
{
    picture_ = QImage(colours.cols(), colours.rows(), QImage::Format_RGB32);
    for (int y = 0; y < colours.rows(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture_.scanLine(y));
        const std::int32_t* src = colours.row(y);
        for (int x = 0; x < colours.cols(); ++x) line[x] = 0xFF000000u | (std::uint32_t(src[x]) & 0xFFFFFFu);
    }
    label_->setPixmap(QPixmap::fromImage(picture_));
    label_->resize(picture_.size());
    if (!fixedClient_.isValid()) resize(picture_.size());
}
