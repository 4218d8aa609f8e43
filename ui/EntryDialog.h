// The program's small data-entry dialogs: labelled text boxes, a submit
// button, and one validation pattern. An empty box shows the general error
// window ("Please enter a value in each text box."); a text that does not
// convert shows the "Conversion Error" message box; a value out of range shows
// the dialog's own "Error!" window; values are applied only when every check
// passes, and the dialog then closes.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QLineEdit;
class QLabel;
class QVBoxLayout;
class ErrorWindow;

enum class EntryKind {
    Integer,   ///< decimal integer ("Text box entry must be an integer!")
    Real,      ///< decimal number (the dialog's real-number message)
    Hex,       ///< "0x" hexadecimal or decimal integer
    Text,      ///< any non-empty text
};

enum class EntryFailure { None, Empty, NotInteger, NotReal };

struct EntryCheck {
    EntryFailure failure = EntryFailure::None;
    int field = -1;               ///< index into the texts of the failing entry
    std::vector<double> values;   ///< converted values, one per text (0 for Text entries)
};

/// Checks texts[i] as kinds[i]: first every entry for emptiness (in order), then
/// each conversion (in order). Pure; tested with a table.
EntryCheck checkEntries(const QStringList& texts, const std::vector<EntryKind>& kinds);

struct EntryField {
    QString label;
    QString defaultText;
    QString objectName;   ///< of the text box
    EntryKind kind = EntryKind::Integer;
};

class EntryDialog : public QDialog {
    Q_OBJECT
public:
    /// caption: window title; headingLines: explanatory labels above the boxes.
    EntryDialog(const QString& caption, const QStringList& headingLines, std::vector<EntryField> fields,
                const QString& submitCaption = "Submit", QWidget* parent = nullptr);

    /// Range check after conversion: the lines of the dialog's own error window, empty when valid.
    std::function<QStringList(const std::vector<double>& values)> rangeCheck;
    /// Applies the values (called only when every check passed), before the dialog closes.
    std::function<void(const std::vector<double>& values, const QStringList& texts)> apply;
    /// Message of the "Conversion Error" box for Real entries.
    QString realConversionText = "Text box entry must be a double!";
    /// Close the dialog (without applying) after an empty or unconvertible entry was reported.
    bool closeAfterFailure = false;

    QLineEdit* edit(int i) const { return edits_.at(std::size_t(i)); }
    /// The dialog's own "Error!" window of the range check (created on first use, or by the
    /// window registry in its place).
    ErrorWindow& rangeWindow();
    QStringList texts() const;
    /// Shows the dialog modally (through modal::exec).
    int showModal();

public slots:
    void submit();

protected:
    QVBoxLayout* layout_;
    QWidget* extraArea_;   ///< where subclasses add check boxes and radio buttons

private:
    std::vector<EntryField> fields_;
    std::vector<QLineEdit*> edits_;
    ErrorWindow* rangeWindow_ = nullptr;
};
