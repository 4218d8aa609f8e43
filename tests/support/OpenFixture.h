// A program without its start-up windows, driven through "&Open" as a user
// drives it: the file dialogs answer from a queue, the parameters dialog is
// answered with the fixture's texts, message boxes and error windows are
// recorded as "caption: text", and other dialogs go to answerOther.
#pragma once

#include "ui/ErrorWindow.h"
#include "ProgramFixture.h"

#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <functional>

struct OpenFixture : ProgramFixture {
    QStringList dialogs;                 // captions of the modal windows shown
    QStringList messages;                // "caption: text" of the message boxes and error windows shown
    QString paramsAnswer = "submit";     // how the parameters dialog is answered
    QString rows = "5", columns = "6", lsqr = "3";
    std::function<int(QDialog&)> answerOther;   // dialogs other than the parameters dialog

    void SetUp() override
    {
        modal::setAnswerer([this](QDialog& d) {
            dialogs << d.windowTitle();
            auto* box = qobject_cast<QMessageBox*>(&d);
            auto* error = qobject_cast<ErrorWindow*>(&d);
            if (box || error) {
                messages << (box ? box->windowTitle() + ": " + box->text() : "Error!: " + error->text());
                return int(QDialog::Accepted);
            }
            if (d.objectName() == "dataEntryForm") {
                for (auto [name, text] : {std::pair{"rowsEdit", rows}, {"columnsEdit", columns}, {"lsqrEdit", lsqr}})
                    d.findChild<QLineEdit*>(name)->setText(text);
                d.findChild<QPushButton*>(paramsAnswer == "submit" ? "submitButton" : "cancelButton")->click();
                return d.result();
            }
            return answerOther ? answerOther(d) : 0;
        });
    }
};

/// Types the texts into the dialog's line edits (by objectName) and clicks its submit button;
/// returns the dialog's result.
inline int submitWith(QDialog& d, const std::vector<std::pair<const char*, QString>>& texts)
{
    for (const auto& [name, text] : texts) d.findChild<QLineEdit*>(name)->setText(text);
    d.findChild<QPushButton*>("submitButton")->click();
    return d.result();
}
