// The data-entry dialogs of the scanned-map tools. Each is an EntryDialog
// (labelled boxes, Submit, the program's validation pattern) with the check
// boxes, radio buttons and extra buttons of its own; hexadecimal boxes take
// "0x" values or decimal ones. The window sets each dialog's apply callback
// to store the values and run its command.
#pragma once

#include "ui/EntryDialog.h"

#include <array>
#include <cstdint>

class ErrorWindow;
class QCheckBox;
class QPushButton;
class QRadioButton;

/// "Filter Data Entry": "Filter 1" .. "Filter 16" ("0x0"), "Replacement Color" ("0xffffff"),
/// "Value Toggle", "Submit" and "Load Values".
class FilterValuesDialog : public EntryDialog {
    Q_OBJECT
public:
    explicit FilterValuesDialog(QWidget* parent = nullptr);
    QCheckBox* valueToggle() const { return valueToggle_; }
    QPushButton* loadValuesButton() const { return loadValues_; }
    /// "Load Values": the 16 boxes show the query history.
    void loadValues(const std::array<std::int32_t, 16>& history);

private:
    QCheckBox* valueToggle_;
    QPushButton* loadValues_;
};

/// "Filter Limits data Entry Form": "Lower Filter Limit" ("0x000000"), "Upper Filter Limit"
/// ("0xffffff"), "Background Color" ("0xffffff"), "Keep/Discard Toggle", the "Image Selector"
/// ("Filter Process Image" / "Filter Reference Image"), "Submit" and "Load Value".
class FilterLimitsDialog : public EntryDialog {
    Q_OBJECT
public:
    explicit FilterLimitsDialog(QWidget* parent = nullptr);
    QCheckBox* keepDiscard() const { return keepDiscard_; }
    QRadioButton* processImage() const { return processImage_; }
    QRadioButton* referenceImage() const { return referenceImage_; }
    QPushButton* loadValueButton() const { return loadValue_; }
    /// "Load Value": both limits show the colour in decimal and "Keep/Discard Toggle" is checked.
    void loadValue(std::int32_t colour);

private:
    QCheckBox* keepDiscard_;
    QRadioButton* processImage_;
    QRadioButton* referenceImage_;
    QPushButton* loadValue_;
};

/// "Red Green Blue Byte Filter Data Entry": "Red Byte", "Green Byte", "Blue Byte" ("0xff"),
/// "Use Target Color", "Target Color" ("0xffffff"), "Screening Byte Selection" with
/// "Screen Red", "Screen Green", "Screen Blue", and "Submit".
class ByteFilterDialog : public EntryDialog {
    Q_OBJECT
public:
    explicit ByteFilterDialog(QWidget* parent = nullptr);
    QCheckBox* useTarget() const { return useTarget_; }
    /// 0 red, 1 green, 2 blue.
    QRadioButton* screen(int channel) const { return screens_[std::size_t(channel)]; }

private:
    QCheckBox* useTarget_;
    std::array<QRadioButton*, 3> screens_{};
};

/// "Pixel Neighbor Data Entry": "Number Neighbors" ("4", 1 .. 8), "Filter Sense" (checked), "Submit".
class PixelNeighborDialog : public EntryDialog {
    Q_OBJECT
public:
    explicit PixelNeighborDialog(QWidget* parent = nullptr);
    QCheckBox* filterSense() const { return filterSense_; }

private:
    QCheckBox* filterSense_;
};

/// "Search Radius Data Entry": "Search Radius" ("3", 1 .. 99), "Seek Closest First" (selected) /
/// "Seek Farthest First", "Submit".
class SearchRadiusDialog : public EntryDialog {
    Q_OBJECT
public:
    explicit SearchRadiusDialog(QWidget* parent = nullptr);
    QRadioButton* closestFirst() const { return closest_; }
    QRadioButton* farthestFirst() const { return farthest_; }

private:
    QRadioButton* closest_;
    QRadioButton* farthest_;
};

/// "Background Color Data Entry": "Background Color" ("0xffffff") and the button "Submt".
EntryDialog* makeBackgroundColorDialog(QWidget* parent);
/// "Scale Factor Dialog Box": "Enter the scale factor.", "Scale Factor" ("1.0").
EntryDialog* makeScaleFactorDialog(QWidget* parent);
/// "Unsharp Mask Data Entry": "Sharp Multiplier" ("0.70", 0 .. 1).
EntryDialog* makeUnsharpMaskDialog(QWidget* parent);
/// "Pixel Limit Data Entry Form": "Set the line length in pixels to keep", "Pixel Limit" ("100", >= 1).
EntryDialog* makePixelLimitDialog(QWidget* parent);
/// "Elevation Dialog": "Elevation Value" (empty).
EntryDialog* makeElevationDialog(QWidget* parent);
/// The "Error!" window of "Subtract Arrays" and "NAND Arrays" for pictures of different sizes.
ErrorWindow* makeReferenceSizeErrorWindow(QWidget* parent);
