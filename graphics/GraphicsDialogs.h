// The graphics window's own dialogs: "Tool Pallatte" (pen width), "Pen Color",
// "Marker Color" and "Closing Graphics Window".
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>

class QComboBox;

/// "Tool Pallatte": the drop-down "Pen Width" (1-20, 30, 40; 1 at first) and "Submit".
class ToolPalletteDialog : public QDialog {
    Q_OBJECT
public:
    explicit ToolPalletteDialog(QWidget* parent = nullptr);
    int penWidth() const;
    QComboBox* list() const { return list_; }

private:
    QComboBox* list_;
};

/// "Pen Color": the drop-down "Black", "Red", "Blue", "Yellow", "Green" and "Submit".
class PenColorDialog : public QDialog {
    Q_OBJECT
public:
    explicit PenColorDialog(QWidget* parent = nullptr);
    /// The screen colour (red in bits 0-7) named by the choice.
    std::int32_t penColor() const;
    QComboBox* list() const { return list_; }

private:
    QComboBox* list_;
};

/// "Marker Color": "Marker Color Dialog Box", the drop-down "Blue", "Black", "Yellow", "Red",
/// "Green" and "Submit" (the digitiser's crosses).
class MarkerColorDialog : public QDialog {
    Q_OBJECT
public:
    explicit MarkerColorDialog(QWidget* parent = nullptr);
    /// The screen colour (red in bits 0-7) named by the choice.
    std::int32_t markerColor() const;
    QComboBox* list() const { return list_; }

private:
    QComboBox* list_;
};

/// "Closing Graphics Window": "Close without saving image?" with "OK" and "Cancel".
class ClosingGraphicsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ClosingGraphicsDialog(QWidget* parent = nullptr);
};

/// The lines of the zero-area rubber band's "Error!" window.
inline const QStringList kZeroAreaLines = {"Bounding  box must have non zero area!",
                                           "Hold down mouse button and drag the", "rubber band box."};
