#include "classify/ClassificationDialog.h"

#include "ui/ErrorWindow.h"
#include "ui/MessageBoxes.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QListWidget* addList(QDialog* dialog, QVBoxLayout* layout, const QString& label,
                     const std::vector<std::string>& items, const char* objectName)
{
    layout->addWidget(new QLabel(label, dialog));
    auto* list = new QListWidget(dialog);
    list->setObjectName(objectName);
    for (const auto& item : items) list->addItem(QString::fromStdString(item));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setCurrentRow(-1);
    // Every entry shown, none behind a scroll bar: the list takes the height of its rows as shown.
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    list->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout->addWidget(list);
    return list;
}

/// The row of the chosen item, or -1 when none is chosen.
int chosenRow(const QListWidget* list)
{
    const auto chosen = list->selectedItems();
    return chosen.isEmpty() ? -1 : list->row(chosen.front());
}

} // namespace

ClassificationDialog::ClassificationDialog(Reporter& reporter, QWidget* parent)
    : QDialog(parent), reporter_(reporter)
{
    setWindowTitle("Pixel Classification Data Entry");
    setObjectName("classificationDialog");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    method_ = addList(this, layout, "Computation Method", computationMethodItems(), "computationMethodList");
    distance_ = addList(this, layout, "Distance Algorithm", distanceAlgorithmItems(), "distanceAlgorithmList");
    auto* form = new QFormLayout;
    passes_ = new QLineEdit("1", this);
    passes_->setObjectName("passesEdit");
    clusters_ = new QLineEdit("6", this);
    clusters_->setObjectName("clustersEdit");
    form->addRow("Number of Passes", passes_);
    form->addRow("Number of Clusters", clusters_);
    layout->addLayout(form);
    auto* submitButton = new QPushButton("Submit", this);
    submitButton->setObjectName("submitButton");
    submitButton->setDefault(true);
    layout->addWidget(submitButton, 0, Qt::AlignHCenter);
    connect(submitButton, &QPushButton::clicked, this, &ClassificationDialog::submit);
}

ErrorWindow& ClassificationDialog::errorWindow()
{
    if (!error_) error_ = new ErrorWindow(errorLines(classificationEntryErrorLines()), this);
    return *error_;
}

void ClassificationDialog::submit()
{
    // A list with no chosen item leaves its code as it was.
    if (const int row = chosenRow(method_); row >= 0) parameters.method = computationMethodCode(row);
    if (const int row = chosenRow(distance_); row >= 0) parameters.dist = distanceAlgorithmCode(row);
    const std::string passesText = passes_->text().toStdString(), clustersText = clusters_->text().toStdString();
    const ClassificationEntryCheck check = checkClassificationEntries(passesText, clustersText);
    switch (check.result) {
    case ClassificationEntry::NotAnInteger:
        showConversionError(this, kNotAnInteger);   // the dialog stays open, nothing starts
        return;
    case ClassificationEntry::Refused:
        errorWindow().showModal();
        reject();
        // Parameters stored by an earlier valid Submit are used again.
        if (parameters.nclusters >= 1 && parameters.npass >= 1 && start) start(parameters);
        return;
    case ClassificationEntry::Valid:
        break;
    }
    logClassificationEntries(clustersText, passesText, reporter_);
    parameters.nclusters = check.nclusters;
    parameters.npass = check.npass;
    if (start) start(parameters);
    accept();
}
