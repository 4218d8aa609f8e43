#include "graphics/GraphicsDialogs.h"

#include "graphics/Digitiser.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QComboBox* addList(QDialog* dialog, const QString& label, const QStringList& items, const char* objectName)
{
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(new QLabel(label, dialog));
    auto* list = new QComboBox(dialog);
    list->setObjectName(objectName);
    list->addItems(items);
    layout->addWidget(list);
    auto* submit = new QPushButton("Submit", dialog);
    submit->setObjectName("submitButton");
    submit->setDefault(true);
    layout->addWidget(submit, 0, Qt::AlignHCenter);
    QObject::connect(submit, &QPushButton::clicked, dialog, &QDialog::accept);
    return list;
}

} // namespace

ToolPalletteDialog::ToolPalletteDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Tool Pallatte");
    setObjectName("toolPalletteDialog");
    setModal(true);
    QStringList widths;
    for (int w = 1; w <= 20; ++w) widths << QString::number(w);
    widths << "30" << "40";
    list_ = addList(this, "Pen Width", widths, "penWidthList");
}

int ToolPalletteDialog::penWidth() const
{
    return list_->currentText().toInt();
}

PenColorDialog::PenColorDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Pen Color");
    setObjectName("penColorDialog");
    setModal(true);
    list_ = addList(this, "Pen Color", {"Black", "Red", "Blue", "Yellow", "Green"}, "penColorList");
}

std::int32_t PenColorDialog::penColor() const
{
    return namedScreenColour(list_->currentText().toStdString()).value_or(0);
}

MarkerColorDialog::MarkerColorDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Marker Color");
    setObjectName("markerColorDialog");
    setModal(true);
    list_ = addList(this, "Marker Color Dialog Box", {"Blue", "Black", "Yellow", "Red", "Green"}, "markerColorList");
}

std::int32_t MarkerColorDialog::markerColor() const
{
    return namedScreenColour(list_->currentText().toStdString()).value_or(0);
}

ClosingGraphicsDialog::ClosingGraphicsDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Closing Graphics Window");
    setObjectName("closingGraphicsDialog");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Close without saving image?", this));
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cancelButton");
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}
