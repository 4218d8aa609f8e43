// A widget that shows a picture of 0xFFRRGGBB pixels one to one, without a
// copy, with an optional rubber-band rectangle drawn over it, and passes its
// mouse events on in picture coordinates. The picture windows put it in a
// scroll area.
#pragma once

#include "app/core/Grid.h"
#include "graphics/GraphicsClicks.h"

#include <QRect>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    /// The picture shown; it must outlive the view or be replaced. Call after it changed.
    void setPicture(const Grid<std::uint32_t>* picture);
    void pictureChanged();
    /// The rectangle between two picture points, or none.
    void setRubberBand(std::optional<QRect> band);

    std::function<void(int x, int y, MouseButton button)> pressed;
    std::function<void(int x, int y)> moved;
    std::function<void(int x, int y)> released;
    std::function<void(int x, int y)> doubleClicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const Grid<std::uint32_t>* picture_ = nullptr;
    std::optional<QRect> band_;
};
