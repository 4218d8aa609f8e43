#include "app/SolverParamsDialog.h"

#include "app/SessionState.h"
#include "ui/ErrorWindow.h"
#include "ui/MessageBoxes.h"
#include "ui/Modal.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SolverParamsDialog::SolverParamsDialog(SessionState& session, Reporter& reporter, QWidget* parent)
    : QDialog(parent), session_(session), reporter_(reporter)
{
    setWindowTitle("dataEntryForm");
    setObjectName("dataEntryForm");
    setFixedSize(513, 373);
    setModal(true);

    auto* heading = new QLabel("Enter Input Data", this);
    heading->setGeometry(180, 16, 200, 24);
    QFont f = heading->font();
    f.setPointSize(f.pointSize() + 3);
    f.setBold(true);
    heading->setFont(f);

    SolverParameterTexts defaults;
    struct Row { const char* label; QString text; const char* name; QLineEdit** edit; QLabel** labelOut; };
    const Row rows[] = {
        {"Number of Rows", QString::fromStdString(defaults.rows), "rowsEdit", &rows_, &rowsLabel_},
        {"Number of Columns", QString::fromStdString(defaults.columns), "columnsEdit", &columns_, &columnsLabel_},
        {"LSQR Iterations", QString::fromStdString(defaults.lsqr), "lsqrEdit", &lsqr_, nullptr},
        {"Laplacian Iterations", QString::fromStdString(defaults.laplacian), "laplacianEdit", &laplacian_, nullptr},
        {"Refining Iterations", QString::fromStdString(defaults.refining), "refiningEdit", &refining_, nullptr},
        {"Scale Factor", QString::fromStdString(defaults.scale), "scaleEdit", &scale_, nullptr},
    };
    int y = 60;
    for (const Row& r : rows) {
        auto* label = new QLabel(r.label, this);
        label->setGeometry(110, y, 160, 24);
        auto* edit = new QLineEdit(r.text, this);
        edit->setObjectName(r.name);
        edit->setGeometry(280, y, 120, 24);
        *r.edit = edit;
        if (r.labelOut) *r.labelOut = label;
        y += 40;
    }
    auto* submit = new QPushButton("Submit", this);
    submit->setObjectName("submitButton");
    submit->setGeometry(140, 315, 100, 30);
    submit->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cancelButton");
    cancel->setGeometry(280, 315, 100, 30);
    connect(submit, &QPushButton::clicked, this, &SolverParamsDialog::submit);
    connect(cancel, &QPushButton::clicked, this, &SolverParamsDialog::cancel);

    QStringList rangeLines;
    for (const char* line : kParameterRangeLines) rangeLines << line;
    rangeWindow_ = new ErrorWindow(rangeLines, this);
}

void SolverParamsDialog::setSizeEntriesEnabled(bool enabled)
{
    for (QWidget* w : {static_cast<QWidget*>(rows_), static_cast<QWidget*>(columns_),
                       static_cast<QWidget*>(rowsLabel_), static_cast<QWidget*>(columnsLabel_)})
        w->setEnabled(enabled);
}

SolverParameterTexts SolverParamsDialog::currentTexts() const
{
    SolverParameterTexts t;
    t.rows = rows_->text().toStdString();
    t.columns = columns_->text().toStdString();
    t.lsqr = lsqr_->text().toStdString();
    t.laplacian = laplacian_->text().toStdString();
    t.refining = refining_->text().toStdString();
    t.scale = scale_->text().toStdString();
    return t;
}

int SolverParamsDialog::showModal(bool sizeFromInput)
{
    sizeFromInput_ = sizeFromInput;
    setSizeEntriesEnabled(!sizeFromInput);
    return modal::exec(*this);
}

void SolverParamsDialog::submit()
{
    switch (submitSolverParameters(session_, currentTexts(), sizeFromInput_, reporter_)) {
    case ParameterFailure::Empty: showEmptyEntryError(*this); return;
    case ParameterFailure::NotInteger: showConversionError(this, kNotAnInteger); return;
    case ParameterFailure::NotDouble: showConversionError(this, kNotADouble); return;
    case ParameterFailure::OutOfRange: rangeWindow_->showModal(); return;
    case ParameterFailure::None: break;
    }
    accept();
}

void SolverParamsDialog::cancel()
{
    cancelSolverParameters(session_.parametersAccepted);
    QDialog::reject();
}

void SolverParamsDialog::reject()
{
    cancel();
}

bool SolverParamsDialog::requestSolverParameters()
{
    showModal(true);
    if (!session_.parametersAccepted) {
        setSizeEntriesEnabled(true);
        return false;
    }
    if (auto failure = convertIterationTexts(session_)) {
        showConversionError(this, QString::fromStdString(*failure));
        return false;
    }
    return true;
}
