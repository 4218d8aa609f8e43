// "ASCII DEM Data Entry Form": the georeference of "SaveASCIIDEM" (datum, the
// south-west corner in UTM, zone, spacing, unit codes, output scale factor).
// Submit checks the entries (empty, integer, UTM and unit-code ranges, numbers),
// logs and stores them and closes; Cancel closes and keeps the values stored
// last. The checks are plain code (checkUsgsDemEntries).
#pragma once

#include "formats/UsgsDemWriter.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class ErrorWindow;
class Reporter;

class AsciiDemDataEntryForm : public QDialog {
    Q_OBJECT
public:
    /// stored: the georeference the command writes with (kept by the main window).
    AsciiDemDataEntryForm(UsgsDemGeoreference& stored, Reporter& reporter, QWidget* parent = nullptr);

    /// The form's own "Error!" window (UTM coordinates, unit codes), created in its place at start-up.
    void setErrorWindow(ErrorWindow* window) { errorWindow_ = window; }
    ErrorWindow& errorWindow();

    /// The eight entries as typed.
    UsgsDemEntryTexts texts() const;
    /// Shows the form modally (through modal::exec).
    int showModal();

public slots:
    void submit();

private:
    UsgsDemGeoreference& stored_;
    Reporter& reporter_;
    QComboBox* datum_;
    QLineEdit* easting_;
    QLineEdit* northing_;
    QLineEdit* zone_;
    QLineEdit* spacing_;
    QComboBox* planimetricUnits_;
    QComboBox* elevationUnits_;
    QLineEdit* scale_;
    ErrorWindow* errorWindow_ = nullptr;
};
