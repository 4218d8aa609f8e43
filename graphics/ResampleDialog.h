// "Resample Parameters": the radio group "Select Resample Rate" ("Resample
// 1:2", selected at first, "Resample 1:4", "Resmple 1:8") with "Submit"
// (accepts) and "Cancel" (rejects). The choice is kept between showings.
#pragma once

#include <QDialog>

class QRadioButton;

class ResampleDialog : public QDialog {
    Q_OBJECT
public:
    explicit ResampleDialog(QWidget* parent = nullptr);
    /// 2, 4 or 8 for the selected button.
    int rate() const;
    QRadioButton* button(int rate) const;

private:
    QRadioButton* half_;
    QRadioButton* quarter_;
    QRadioButton* eighth_;
};
