// "Batch Mode Dialog": collects the files of a batch interpolation. "Add Files"
// appends a file (SRTM height files, index or ORT files) to the list it shows,
// "Continue" starts batch mode (solver parameters, then the null-data
// definition), "Cancel" drops the last file added and closes.
#pragma once

#include "app/BatchRun.h"

#include <QDialog>
#include <functional>

class QPlainTextEdit;
class Reporter;
struct SessionState;

class BatchDialog : public QDialog {
    Q_OBJECT
public:
    BatchDialog(SessionState& session, Reporter& reporter, QWidget* parent = nullptr);

    const BatchList& list() const { return list_; }
    QPlainTextEdit* listBox() const { return listBox_; }

    /// The request-solver-parameters operation (it enables "Run Gridmend").
    std::function<bool()> requestSolverParameters;
    /// Shows the "Null Data Definition Data Entry Form" modally.
    std::function<void()> defineNullData;

    /// Shows the dialog modally.
    int showModal();

public slots:
    void addFiles();
    void continueBatch();
    void cancel();

private:
    void showList();

    SessionState& session_;
    Reporter& reporter_;
    BatchList list_;
    QPlainTextEdit* listBox_;
};

inline constexpr const char* kBatchFilter = "SRTM Heightfield|*.hgt|Index|*.ind|ORT|*.ort";
