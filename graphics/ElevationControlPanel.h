// "Elevation Control Panel": the elevation the next tag writes and how it
// steps from line to line. Submit, Reload Last and Resume call the plain
// panel operations of LineTagger on the model's tagging state; the radio
// buttons turn tagging and the elevation query on and off. The panel is
// modeless, created once and shown by "Tag" > "Set Elevation"; its boxes keep
// their text while the program runs.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class ErrorWindow;
class GraphicsModel;

class ElevationControlPanel : public QDialog {
    Q_OBJECT
public:
    ElevationControlPanel(GraphicsModel& model, QWidget* parent = nullptr);

    /// "Auto Increment", read again at every tag.
    bool autoIncrementChecked() const;
    /// "Current Elevation: " and "Previous Elevation:" show the tagging state.
    void showValues();
    /// Selects "Tag Disabled" and "Show Disabled" (tagging and the elevation query off).
    void selectTagAndShowDisabled();
    /// Follows the menu's "Tag Lines" and "Show Elevation" entries.
    void selectTag(bool enabled);
    void selectShow(bool enabled);
    /// The panel's "Error!" window ("Elevation values must be between -1000 and 30000.  ").
    ErrorWindow& errorWindow();

    QLineEdit* elevationEdit() const { return elevation_; }
    QLineEdit* incrementEdit() const { return increment_; }
    QCheckBox* autoIncrementCheck() const { return autoIncrement_; }
    QLabel* currentValue() const { return current_; }
    QLabel* previousValue() const { return previous_; }

public slots:
    void submit();
    void reloadLastClicked();
    void resumeClicked();

private:
    GraphicsModel& model_;
    QLineEdit* elevation_;
    QLineEdit* increment_;
    QCheckBox* autoIncrement_;
    QRadioButton* tagEnabled_;
    QRadioButton* tagDisabled_;
    QRadioButton* showEnabled_;
    QRadioButton* showDisabled_;
    QLabel* current_;
    QLabel* previous_;
    ErrorWindow* error_ = nullptr;
};
