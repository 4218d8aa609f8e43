#include "graphics/ImageDialogs.h"

#include "graphics/LineCleaning.h"
#include "graphics/PatternFilters.h"
#include "graphics/ColourFilters.h"
#include "ui/ErrorWindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QCheckBox* addCheck(QWidget* area, const QString& caption, const char* objectName, bool checked)
{
    auto* box = new QCheckBox(caption, area);
    box->setObjectName(objectName);
    box->setChecked(checked);
    area->layout()->addWidget(box);
    return box;
}

QPushButton* addButton(QWidget* area, const QString& caption, const char* objectName)
{
    auto* button = new QPushButton(caption, area);
    button->setObjectName(objectName);
    area->layout()->addWidget(button);
    return button;
}

/// A titled group of radio buttons (none checked unless `checked` names one).
std::vector<QRadioButton*> addRadioGroup(QWidget* area, const QString& title, const QStringList& captions,
                                         const QStringList& objectNames, int checked)
{
    auto* group = new QGroupBox(title, area);
    auto* layout = new QVBoxLayout(group);
    std::vector<QRadioButton*> buttons;
    for (int i = 0; i < captions.size(); ++i) {
        auto* b = new QRadioButton(captions[i], group);
        b->setObjectName(objectNames[i]);
        b->setChecked(i == checked);
        layout->addWidget(b);
        buttons.push_back(b);
    }
    area->layout()->addWidget(group);
    return buttons;
}

std::vector<EntryField> filterFields()
{
    std::vector<EntryField> fields;
    for (int i = 1; i <= 16; ++i)
        fields.push_back({QString("Filter %1").arg(i), "0x0", QString("filter%1Edit").arg(i), EntryKind::Hex});
    fields.push_back({"Replacement Color", "0xffffff", "replacementColorEdit", EntryKind::Hex});
    return fields;
}

} // namespace

FilterValuesDialog::FilterValuesDialog(QWidget* parent)
    : EntryDialog("Filter Data Entry", {}, filterFields(), "Submit", parent)
{
    setObjectName("filterValuesDialog");
    valueToggle_ = addCheck(extraArea_, "Value Toggle", "valueToggleCheck", false);
    loadValues_ = addButton(extraArea_, "Load Values", "loadValuesButton");
}

void FilterValuesDialog::loadValues(const std::array<std::int32_t, 16>& history)
{
    for (int i = 0; i < 16; ++i)
        edit(i)->setText("0x" + QString::number(std::uint32_t(history[std::size_t(i)]), 16));
}

FilterLimitsDialog::FilterLimitsDialog(QWidget* parent)
    : EntryDialog("Filter Limits data Entry Form",
                  {"Please Enter the Lower and Upper Filter Limits", "and the Background Color."},
                  {{"Lower Filter Limit", "0x000000", "lowerLimitEdit", EntryKind::Hex},
                   {"Upper Filter Limit", "0xffffff", "upperLimitEdit", EntryKind::Hex},
                   {"Background Color", "0xffffff", "backgroundColorEdit", EntryKind::Hex}},
                  "Submit", parent)
{
    setObjectName("filterLimitsDialog");
    keepDiscard_ = addCheck(extraArea_, "Keep/Discard Toggle", "keepDiscardCheck", false);
    const auto radios = addRadioGroup(extraArea_, "Image Selector", {"Filter Process Image", "Filter Reference Image"},
                                      {"processImageRadio", "referenceImageRadio"}, 0);
    processImage_ = radios[0];
    referenceImage_ = radios[1];
    loadValue_ = addButton(extraArea_, "Load Value", "loadValueButton");
}

void FilterLimitsDialog::loadValue(std::int32_t colour)
{
    edit(0)->setText(QString::number(colour));
    edit(1)->setText(QString::number(colour));
    keepDiscard_->setChecked(true);
}

ByteFilterDialog::ByteFilterDialog(QWidget* parent)
    : EntryDialog("Red Green Blue Byte Filter Data Entry", {},
                  {{"Red Byte", "0xff", "redByteEdit", EntryKind::Hex},
                   {"Green Byte", "0xff", "greenByteEdit", EntryKind::Hex},
                   {"Blue Byte", "0xff", "blueByteEdit", EntryKind::Hex},
                   {"Target Color", "0xffffff", "targetColorEdit", EntryKind::Hex}},
                  "Submit", parent)
{
    setObjectName("byteFilterDialog");
    useTarget_ = addCheck(extraArea_, "Use Target Color", "useTargetCheck", false);
    const auto radios = addRadioGroup(extraArea_, "Screening Byte Selection",
                                      {"Screen Red", "Screen Green", "Screen Blue"},
                                      {"screenRedRadio", "screenGreenRadio", "screenBlueRadio"}, -1);
    for (int i = 0; i < 3; ++i) screens_[std::size_t(i)] = radios[std::size_t(i)];
}

PixelNeighborDialog::PixelNeighborDialog(QWidget* parent)
    : EntryDialog("Pixel Neighbor Data Entry", {"Enter the numbe of neighbor pixels to filter."},
                  {{"Number Neighbors", "4", "numberNeighborsEdit", EntryKind::Integer}}, "Submit", parent)
{
    setObjectName("pixelNeighborDialog");
    filterSense_ = addCheck(extraArea_, "Filter Sense", "filterSenseCheck", true);
    rangeCheck = [](const std::vector<double>& v) {
        return neighbourCountValid(int(v[0])) ? QStringList() : errorLines(neighbourCountErrorLines());
    };
}

SearchRadiusDialog::SearchRadiusDialog(QWidget* parent)
    : EntryDialog("Search Radius Data Entry", {"Enter the pixel  search radius for the line connecting algorithm"},
                  {{"Search Radius", "3", "searchRadiusEdit", EntryKind::Integer}}, "Submit", parent)
{
    setObjectName("searchRadiusDialog");
    const auto radios = addRadioGroup(extraArea_, "", {"Seek Closest First", "Seek Farthest First"},
                                      {"closestFirstRadio", "farthestFirstRadio"}, 0);
    closest_ = radios[0];
    farthest_ = radios[1];
    rangeCheck = [](const std::vector<double>& v) {
        return searchRadiusValid(int(v[0])) ? QStringList() : QStringList{QString::fromStdString(kSearchRadiusError)};
    };
}

EntryDialog* makeBackgroundColorDialog(QWidget* parent)
{
    auto* d = new EntryDialog("Background Color Data Entry", {},
                              {{"Background Color", "0xffffff", "backgroundColorEdit", EntryKind::Hex}}, "Submt",
                              parent);
    d->setObjectName("backgroundColorDialog");
    return d;
}

EntryDialog* makeScaleFactorDialog(QWidget* parent)
{
    auto* d = new EntryDialog("Scale Factor Dialog Box", {"Enter the scale factor."},
                              {{"Scale Factor", "1.0", "scaleFactorEdit", EntryKind::Real}}, "Submit", parent);
    d->setObjectName("scaleFactorDialog");
    return d;
}

EntryDialog* makeUnsharpMaskDialog(QWidget* parent)
{
    auto* d = new EntryDialog("Unsharp Mask Data Entry", {},
                              {{"Sharp Multiplier", "0.70", "sharpMultiplierEdit", EntryKind::Real}}, "Submit", parent);
    d->setObjectName("unsharpMaskDialog");
    d->rangeCheck = [](const std::vector<double>& v) {
        return unsharpMultiplierValid(v[0]) ? QStringList() : QStringList{QString::fromStdString(kUnsharpMultiplierError)};
    };
    return d;
}

EntryDialog* makePixelLimitDialog(QWidget* parent)
{
    auto* d = new EntryDialog("Pixel Limit Data Entry Form", {"Set the line length in pixels to keep"},
                              {{"Pixel Limit", "100", "pixelLimitEdit", EntryKind::Integer}}, "Submit", parent);
    d->setObjectName("pixelLimitDialog");
    d->rangeCheck = [](const std::vector<double>& v) {
        return pixelLimitValid(int(v[0])) ? QStringList() : QStringList{QString::fromStdString(kPixelLimitError)};
    };
    return d;
}

EntryDialog* makeElevationDialog(QWidget* parent)
{
    auto* d = new EntryDialog("Elevation Dialog", {}, {{"Elevation Value", "", "elevationValueEdit", EntryKind::Integer}},
                              "Submit", parent);
    d->setObjectName("elevationDialog");
    return d;
}

ErrorWindow* makeReferenceSizeErrorWindow(QWidget* parent)
{
    return new ErrorWindow(errorLines(referenceSizeErrorLines()), parent);
}
