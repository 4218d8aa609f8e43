#include "app/AsciiDemForm.h"

#include "app/core/Reporter.h"
#include "ui/ErrorWindow.h"
#include "ui/MessageBoxes.h"
#include "ui/Modal.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

/// An editable drop-down showing `text`, offering `choices`.
QComboBox* dropDown(QWidget* parent, const char* objectName, const QStringList& choices, const QString& text)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->setEditable(true);
    box->addItems(choices);
    box->setCurrentIndex(-1);
    box->setEditText(text);
    return box;
}

QLineEdit* textBox(QWidget* parent, const char* objectName, const QString& text = {})
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(objectName);
    return edit;
}

QStringList toQt(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const std::string& line : lines) out << QString::fromStdString(line);
    return out;
}

} // namespace

AsciiDemDataEntryForm::AsciiDemDataEntryForm(UsgsDemGeoreference& stored, Reporter& reporter, QWidget* parent)
    : QDialog(parent), stored_(stored), reporter_(reporter)
{
    setWindowTitle("ASCII DEM Data Entry Form");
    setObjectName("asciiDemDataEntryForm");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);   // no title-bar buttons
    setModal(true);
    const UsgsDemEntryTexts defaults;
    datum_ = dropDown(this, "datumBox", {"NAS-C"}, QString::fromStdString(defaults.datum));
    easting_ = textBox(this, "eastingEdit");
    northing_ = textBox(this, "northingEdit");
    zone_ = textBox(this, "zoneEdit");
    spacing_ = textBox(this, "spacingEdit", QString::fromStdString(defaults.spacing));
    planimetricUnits_ = dropDown(this, "planimetricUnitsBox", {"1", "3"}, QString::fromStdString(defaults.planimetricUnits));
    elevationUnits_ = dropDown(this, "elevationUnitsBox", {"1", "3"}, QString::fromStdString(defaults.elevationUnits));
    scale_ = textBox(this, "outputScaleEdit", QString::fromStdString(defaults.scale));

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel("Enter USGS ASCII DEM Output Parameters", this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading, 0, Qt::AlignHCenter);
    auto* form = new QFormLayout;
    form->addRow("Datum", datum_);
    form->addRow("Lower Left UTM Longitude", easting_);
    form->addRow("Lower Left UTM Latitude", northing_);
    form->addRow("", new QLabel("Use  negative for  southern hemisphere", this));
    form->addRow("UTM Zone", zone_);
    form->addRow("Spacing", spacing_);
    form->addRow("Planimetric Units Code", planimetricUnits_);
    form->addRow("Elevation Units Code", elevationUnits_);
    form->addRow("Output Scale Factor", scale_);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    auto* submit = new QPushButton("Submit", this);
    submit->setObjectName("submitButton");
    submit->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cancelButton");
    buttons->addStretch();
    buttons->addWidget(submit);
    buttons->addWidget(cancel);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(submit, &QPushButton::clicked, this, &AsciiDemDataEntryForm::submit);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

ErrorWindow& AsciiDemDataEntryForm::errorWindow()
{
    if (!errorWindow_) errorWindow_ = new ErrorWindow({}, this);
    return *errorWindow_;
}

UsgsDemEntryTexts AsciiDemDataEntryForm::texts() const
{
    UsgsDemEntryTexts t;
    t.datum = datum_->currentText().toStdString();
    t.easting = easting_->text().toStdString();
    t.northing = northing_->text().toStdString();
    t.zone = zone_->text().toStdString();
    t.spacing = spacing_->text().toStdString();
    t.planimetricUnits = planimetricUnits_->currentText().toStdString();
    t.elevationUnits = elevationUnits_->currentText().toStdString();
    t.scale = scale_->text().toStdString();
    return t;
}

int AsciiDemDataEntryForm::showModal()
{
    return modal::exec(*this);
}

void AsciiDemDataEntryForm::submit()
{
    using Outcome = UsgsDemEntryCheck::Outcome;
    const UsgsDemEntryCheck check = checkUsgsDemEntries(texts());
    switch (check.outcome) {
    case Outcome::EmptyEntry:
        showEmptyEntryError(*this);
        return;
    case Outcome::ConversionError:
        showConversionError(this, QString::fromStdString(check.conversionText));
        return;
    case Outcome::RangeError:
        errorWindow().setLines(toQt(check.errorLines));
        errorWindow().showModal();
        return;
    case Outcome::Accepted:
        break;
    }
    for (const std::string& line : check.logLines) reporter_.log(line);
    stored_ = check.values;
    accept();
}
