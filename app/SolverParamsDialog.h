// "dataEntryForm": the solver parameters dialog. Grid size (only for inputs
// that do not carry one), LSQR, Laplacian and refining iterations and the scale
// factor; the texts persist between showings.
#pragma once

#include "app/SolverParameters.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class ErrorWindow;
class Reporter;
struct SessionState;

class SolverParamsDialog : public QDialog {
    Q_OBJECT
public:
    SolverParamsDialog(SessionState& session, Reporter& reporter, QWidget* parent = nullptr);

    /// Enables or disables the "Number of Rows" and "Number of Columns" boxes and their labels.
    void setSizeEntriesEnabled(bool enabled);
    /// Shows the dialog modally. sizeFromInput = 1 greys out the row and column entries.
    int showModal(bool sizeFromInput);

    /// The request-solver-parameters operation (graphics window "Input Data", batch mode):
    /// shows the dialog with the size entries disabled and, after acceptance, converts the
    /// texts into the session. Returns true when "Run Gridmend" is to be enabled.
    bool requestSolverParameters();

    SolverParameterTexts currentTexts() const;
    ErrorWindow& rangeWindow() { return *rangeWindow_; }

public slots:
    void submit();
    void cancel();

protected:
    void reject() override;   // title-bar close counts as Cancel

private:
    SessionState& session_;
    Reporter& reporter_;
    bool sizeFromInput_ = false;
    QLineEdit *rows_, *columns_, *lsqr_, *laplacian_, *refining_, *scale_;
    QLabel *rowsLabel_, *columnsLabel_;
    ErrorWindow* rangeWindow_;
};
