// The program's small "Error!" windows: a caption, a read-only text of one or
// more lines and an "OK" button that closes the window. The general error
// window ("Please enter a value in each text box.") is one of them; each
// dialog with a range check owns another with its own text.
#pragma once

#include <QDialog>
#include <QStringList>
#include <string>
#include <vector>

class QLabel;

class ErrorWindow : public QDialog {
    Q_OBJECT
public:
    explicit ErrorWindow(const QStringList& lines, QWidget* parent = nullptr);
    /// Shows the window modally.
    void showModal();
    QString text() const;
    void setLines(const QStringList& lines);

private:
    QLabel* text_;
};

/// Lines kept by plain code as the window's lines.
QStringList errorLines(const std::vector<std::string>& lines);

/// The general error window's text.
inline const char* const kEmptyEntryText = "Please enter a value in each text box.";

/// The object name of the general error window the main window owns.
inline const char* const kGeneralErrorWindowName = "generalErrorWindow";

/// The general error window of the window tree `from` belongs to: the top window's child of that name,
/// created there on first use (the window registry creates it at start-up, in its place).
ErrorWindow& generalErrorWindow(QWidget& from);
/// Shows the general error window of `from`'s window tree modally.
void showEmptyEntryError(QWidget& from);
