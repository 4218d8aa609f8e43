// The picture windows that show a grid as 24-bit colours, one pixel per posting
// (the value's bits 0-7 blue, 8-15 green, 16-23 red): "DTED0 Base File",
// "Interpolated Reference Image", "SRTM30Image" and "DTED1 Merge Image". Each is
// sized to its picture, or to the fixed client size it was created with, and
// scrolls over a picture larger than that.
#pragma once

#include "app/core/Grid.h"

#include <QImage>
#include <QSize>
#include <QWidget>

class QLabel;
class QScrollArea;

class ColourImageWindow : public QWidget {
    Q_OBJECT
public:
    /// fixedClient: the client size the window always has (empty: the picture's size).
    ColourImageWindow(const QString& caption, const QString& objectName, QSize fixedClient, QWidget* parent);

    /// Shows the colours (0xRRGGBB per posting, row 0 at the top); the window is not shown.
    void setPicture(const IntGrid& colours);
    const QImage& picture() const { return picture_; }

private:
    QSize fixedClient_;
    QScrollArea* scroll_;
    QLabel* label_;
    QImage picture_;
};
