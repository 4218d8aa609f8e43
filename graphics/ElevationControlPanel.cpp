#include "graphics/ElevationControlPanel.h"

#include "app/core/TextNumbers.h"
#include "graphics/GraphicsModel.h"
#include "graphics/LineTagger.h"
#include "ui/ErrorWindow.h"
#include "ui/MessageBoxes.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, const QString& caption, const char* objectName, QLayout* layout)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    layout->addWidget(b);
    return b;
}

std::pair<QRadioButton*, QRadioButton*> radioPair(QWidget* parent, const QString& on, const char* onName,
                                                   const QString& off, const char* offName, QLayout* layout)
{
    auto* group = new QGroupBox(parent);
    auto* box = new QVBoxLayout(group);
    auto* a = new QRadioButton(on, group);
    a->setObjectName(onName);
    auto* b = new QRadioButton(off, group);
    b->setObjectName(offName);
    b->setChecked(true);
    box->addWidget(a);
    box->addWidget(b);
    layout->addWidget(group);
    return {a, b};
}

} // namespace

ElevationControlPanel::ElevationControlPanel(GraphicsModel& model, QWidget* parent)
    : QDialog(parent), model_(model)
{
    setWindowTitle("Elevation Control Panel");
    setObjectName("elevationControlPanel");
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    elevation_ = new QLineEdit(this);
    elevation_->setObjectName("elevationValueEdit");
    increment_ = new QLineEdit("-20", this);
    increment_->setObjectName("autoIncrementValueEdit");
    form->addRow("Elevation Value", elevation_);
    form->addRow("Auto Increment Value", increment_);
    layout->addLayout(form);
    autoIncrement_ = new QCheckBox("Auto Increment", this);
    autoIncrement_->setObjectName("autoIncrementCheck");
    autoIncrement_->setChecked(true);
    layout->addWidget(autoIncrement_);

    auto* buttons = new QHBoxLayout;
    QPushButton* submitButton = button(this, "Submit", "submitButton", buttons);
    submitButton->setDefault(true);
    QPushButton* reload = button(this, "Reload Last", "reloadLastButton", buttons);
    QPushButton* resume = button(this, "Resume", "resumeButton", buttons);
    QPushButton* close = button(this, "Close", "closeButton", buttons);
    layout->addLayout(buttons);

    auto* radios = new QHBoxLayout;
    std::tie(tagEnabled_, tagDisabled_) = radioPair(this, "Tag Enabled", "tagEnabledRadio", "Tag Disabled",
                                                    "tagDisabledRadio", radios);
    std::tie(showEnabled_, showDisabled_) = radioPair(this, "Show Enabled", "showEnabledRadio", "Show Disabled",
                                                      "showDisabledRadio", radios);
    layout->addLayout(radios);

    auto* values = new QGridLayout;
    current_ = new QLabel("Submit!", this);
    current_->setObjectName("currentElevationValue");
    previous_ = new QLabel("Submit!", this);
    previous_->setObjectName("previousElevationValue");
    values->addWidget(new QLabel("Current Elevation: ", this), 0, 0);
    values->addWidget(current_, 0, 1);
    values->addWidget(new QLabel("Previous Elevation:", this), 1, 0);
    values->addWidget(previous_, 1, 1);
    layout->addLayout(values);

    connect(submitButton, &QPushButton::clicked, this, &ElevationControlPanel::submit);
    connect(reload, &QPushButton::clicked, this, &ElevationControlPanel::reloadLastClicked);
    connect(resume, &QPushButton::clicked, this, &ElevationControlPanel::resumeClicked);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(tagEnabled_, &QRadioButton::toggled, this, [this](bool on) {
        model_.tagMode = on;
        if (on) model_.elevationMode = true;
    });
    connect(showEnabled_, &QRadioButton::toggled, this, [this](bool on) { model_.showElevationEnabled = on; });
}

bool ElevationControlPanel::autoIncrementChecked() const
{
    return autoIncrement_->isChecked();
}

void ElevationControlPanel::showValues()
{
    current_->setText(QString::number(model_.tagging.currentElevation));
    previous_->setText(QString::number(model_.tagging.previousElevation()));
}

void ElevationControlPanel::selectTag(bool enabled)
{
    (enabled ? tagEnabled_ : tagDisabled_)->setChecked(true);
    model_.tagMode = enabled;
    if (enabled) model_.elevationMode = true;
}

void ElevationControlPanel::selectShow(bool enabled)
{
    (enabled ? showEnabled_ : showDisabled_)->setChecked(true);
    model_.showElevationEnabled = enabled;
}

void ElevationControlPanel::selectTagAndShowDisabled()
{
    selectTag(false);
    selectShow(false);
}

ErrorWindow& ElevationControlPanel::errorWindow()
{
    if (!error_) error_ = new ErrorWindow(errorLines(elevationRangeErrorLines()), this);
    return *error_;
}

void ElevationControlPanel::submit()
{
    const std::string elevationText = elevation_->text().toStdString();
    const PanelSubmitResult result = submitElevationPanel(model_.tagging, elevationText, autoIncrement_->isChecked(),
                                                          increment_->text().toStdString());
    switch (result) {
    case PanelSubmitResult::ElevationRefused:
        errorWindow().showModal();
        return;
    case PanelSubmitResult::NotAnInteger:
        showConversionError(this, kNotAnInteger);
        // Only an elevation that converted was taken.
        if (!parseIntText(elevationText)) return;
        break;
    case PanelSubmitResult::IncrementEmpty:
        showEmptyEntryError(*this);
        break;
    case PanelSubmitResult::Accepted:
        break;
    }
    showValues();
}

void ElevationControlPanel::reloadLastClicked()
{
    elevation_->setText(QString::number(reloadLast(model_.tagging)));
}

void ElevationControlPanel::resumeClicked()
{
    elevation_->setText(QString::number(resumeElevation(model_.tagging)));
}
