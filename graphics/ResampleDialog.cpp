#include "graphics/ResampleDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ResampleDialog::ResampleDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("Resample Parameters");
    setObjectName("resampleParameters");
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox("Select Resample Rate", this);
    auto* buttons = new QVBoxLayout(group);
    half_ = new QRadioButton("Resample 1:2", group);
    quarter_ = new QRadioButton("Resample 1:4", group);
    eighth_ = new QRadioButton("Resmple 1:8", group);
    half_->setObjectName("resample2");
    quarter_->setObjectName("resample4");
    eighth_->setObjectName("resample8");
    half_->setChecked(true);
    for (QRadioButton* b : {half_, quarter_, eighth_}) buttons->addWidget(b);
    layout->addWidget(group);

    auto* row = new QHBoxLayout;
    auto* submit = new QPushButton("Submit", this);
    auto* cancel = new QPushButton("Cancel", this);
    submit->setObjectName("submitButton");
    cancel->setObjectName("cancelButton");
    row->addWidget(submit);
    row->addWidget(cancel);
    layout->addLayout(row);
    connect(submit, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int ResampleDialog::rate() const
{
    return eighth_->isChecked() ? 8 : quarter_->isChecked() ? 4 : 2;
}

QRadioButton* ResampleDialog::button(int rate) const
{
    return rate == 8 ? eighth_ : rate == 4 ? quarter_ : half_;
}
