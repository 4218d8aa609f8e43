// The shell windows: splash, "Notice!", "About" and "Help".
#pragma once

#include <QDialog>

class QPlainTextEdit;

/// A borderless picture of our own, closed by its 3 ms timer, which shows the main window.
class SplashWindow : public QDialog {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* mainWindow);
    /// Shows the splash modally until its timer fires.
    void showModal();

private:
    QWidget* mainWindow_;
};

/// "Notice!": the program's known limits; nothing works until "Accept".
class NoticeWindow : public QDialog {
    Q_OBJECT
public:
    explicit NoticeWindow(QWidget* parent);
    void showModal();
    static QString noticeText();
    /// Only "Accept" ends the notice: Escape and the window manager's close do nothing.
    void reject() override {}
};

/// "About": the version line and the maker.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent);
    void showModal();
};

/// "Help": the user guide, not modal.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent);
    QPlainTextEdit* textBox() const { return text_; }

private:
    QPlainTextEdit* text_;
};

/// The user guide shown by the Help window.
QString helpText();
