// Picture windows that show a grid's raw values as colours (each value v drawn
// as 0xRRGGBB: blue = bits 0-7, green = bits 8-15, red = bits 16-23), not as a
// grey scale: the "Australian ER Image Form" of "Open Australian ER Merge DEM",
// and the base for the coarse tiles' picture windows. The values are not kept.
#pragma once

#include "app/core/Grid.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QScrollArea;

/// A 24-bit picture of 0xRRGGBB colours, line 0 at the top.
QImage colourImage(const IntGrid& colours);

class RawColourImageWindow : public QWidget {
    Q_OBJECT
public:
    RawColourImageWindow(const QString& caption, QWidget* parent = nullptr);
    /// Shows the raw-value picture of the grid; the client area takes the picture's size.
    void showValues(const IntGrid& values);
    const QImage& picture() const { return picture_; }

private:
    QScrollArea* scroll_;
    QLabel* label_;
    QImage picture_;
};

/// "Australian ER Image Form": an ER tile shown by "Open Australian ER Merge DEM".
class ErImageWindow : public RawColourImageWindow {
    Q_OBJECT
public:
    explicit ErImageWindow(QWidget* parent = nullptr);
};
