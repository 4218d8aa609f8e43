// The picture windows of the visualisation: the 2-D image window "GRIDMEND
// Graphics" (ImageForm), the tile's grey view "SRTM Grayscale Image Form", the
// "Reference Image" window and the hidden "Form65" that turns a 3-D snapshot
// into the picture saved as JPEG. They only hold pictures and report the
// pointer; the pictures are built by plain code (view/GreyImage).
#pragma once

#include "app/core/Grid.h"
#include "view/GreyImage.h"

#include <QImage>
#include <QLabel>
#include <QWidget>

class QScrollArea;
class Reporter;

/// A label showing a picture and reporting the pointer's pixel.
class PictureLabel : public QLabel {
    Q_OBJECT
public:
    explicit PictureLabel(QWidget* parent = nullptr);
signals:
    void pointerMoved(int x, int y);
protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

/// A window showing a grey picture with the pointer readout (picture column and
/// line, and the elevation the grey level stands for).
class GreyImageWindow : public QWidget {
    Q_OBJECT
public:
    GreyImageWindow(const QString& caption, int maxVisible, QWidget* parent);

    /// Shows the picture; the window is sized to at most maxVisible x maxVisible
    /// pixels of it (0: the whole picture) and scrolls over the rest.
    void setPicture(const GreyImage& image);
    const ByteGrid& picture() const { return picture_; }
    float displaySlope() const { return slope_; }
    float displayIntercept() const { return intercept_; }
    QScrollArea* scrollArea() const { return scroll_; }
    PictureLabel* pictureLabel() const { return label_; }

signals:
    /// The pointer is over pixel (x, y); elevation is the readout text ("0.00").
    void readout(int x, int y, const QString& elevation);
    /// The window was closed.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void pointerAt(int x, int y);

    int maxVisible_;
    QScrollArea* scroll_;
    PictureLabel* label_;
    ByteGrid picture_;
    float slope_ = 0.0f, intercept_ = 0.0f;
};

/// "GRIDMEND Graphics": the solution's 2-D picture, at most 500 x 500 visible.
class ImageForm : public GreyImageWindow {
    Q_OBJECT
public:
    explicit ImageForm(QWidget* parent = nullptr);
};

/// "SRTM Grayscale Image Form": the graphics window's tile in grey, sized to the whole picture.
class GrayscaleWindow : public GreyImageWindow {
    Q_OBJECT
public:
    explicit GrayscaleWindow(QWidget* parent = nullptr);
};

/// "Save SRTM Grayscale Image" and "Save Image": the window's picture as a
/// Windows bitmap; false (after a log line) when it cannot be written.
bool saveWindowPicture(const GreyImageWindow& window, const std::string& path, Reporter& reporter);

/// "Reference Image": a picture opened for comparison, handed out as colours.
class ReferenceImageWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReferenceImageWindow(QWidget* parent = nullptr);
    /// Shows the picture; the client area takes its size.
    void loadPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    /// Each pixel as red x 65536 + green x 256 + blue, line 0 at the top.
    IntGrid asArray() const;
    /// Two values kept for the loader and the image tools (0 at creation).
    int loaderValue1 = 0;
    int loaderValue2 = 0;

private:
    QScrollArea* scroll_;
    QLabel* label_;
    QImage picture_;
};

/// "Form65": the hidden window in which a 3-D snapshot is placed (black
/// background, the 3-D window's size) and whose client image is saved as JPEG.
class JpegSnapshotWindow : public QWidget {
    Q_OBJECT
public:
    explicit JpegSnapshotWindow(QWidget* parent = nullptr);
    /// Places the snapshot at the top-left corner of a client area of clientSize
    /// and returns that client image (24 bits).
    QImage clientImage(const QImage& snapshot, QSize clientSize);

private:
    QLabel* label_;
};
