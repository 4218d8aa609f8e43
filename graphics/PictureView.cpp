#include "graphics/PictureView.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

PictureView::PictureView(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(0, 0);
}

void PictureView::setPicture(const Grid<std::uint32_t>* picture)
{
    picture_ = picture;
    pictureChanged();
}

void PictureView::pictureChanged()
{
    const QSize size = picture_ ? QSize(picture_->cols(), picture_->rows()) : QSize(0, 0);
    if (size != this->size()) setFixedSize(size);
    update();
}

void PictureView::setRubberBand(std::optional<QRect> band)
{
    band_ = band;
    update();
}

void PictureView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    if (!picture_ || picture_->empty()) {
        painter.fillRect(area, Qt::white);
        return;
    }
    // The picture's pixels are shown in place: 0xFFRRGGBB is the toolkit's 32-bit RGB layout.
    const QImage image(reinterpret_cast<const uchar*>(picture_->data()), picture_->cols(), picture_->rows(),
                       qsizetype(picture_->cols()) * 4, QImage::Format_RGB32);
    painter.drawImage(area, image, area);
    if (band_) {
        painter.setPen(QPen(Qt::red, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(band_->normalized());
    }
}

namespace {
int floorOf(double v) { return int(std::floor(v)); }

MouseButton buttonOf(const QMouseEvent* e)
{
    switch (e->button()) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    default: return MouseButton::Other;
    }
}
} // namespace

void PictureView::mousePressEvent(QMouseEvent* e)
{
    if (pressed) pressed(floorOf(e->position().x()), floorOf(e->position().y()), buttonOf(e));
}

void PictureView::mouseMoveEvent(QMouseEvent* e)
{
    if (moved) moved(floorOf(e->position().x()), floorOf(e->position().y()));
}

void PictureView::mouseReleaseEvent(QMouseEvent* e)
{
    if (released) released(floorOf(e->position().x()), floorOf(e->position().y()));
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* e)
{
    // A double click is not also a press.
    if (doubleClicked) doubleClicked(floorOf(e->position().x()), floorOf(e->position().y()));
}
