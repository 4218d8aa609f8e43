// Records the modal windows a command raises instead of showing them:
// "caption: text" for message boxes, "Error!: text" for error windows, the
// caption for any other dialog. An optional handler answers other dialogs.
#pragma once

#include "ui/ErrorWindow.h"
#include "ui/Modal.h"

#include <QDialog>
#include <QMessageBox>
#include <QStringList>
#include <functional>

struct ModalRecorder {
    QStringList shown;
    std::function<int(QDialog&)> answer;   ///< for dialogs that are neither message boxes nor error windows
    ModalRecorder()
    {
        modal::setAnswerer([this](QDialog& d) {
            if (auto* box = qobject_cast<QMessageBox*>(&d)) shown << box->windowTitle() + ": " + box->text();
            else if (auto* e = qobject_cast<ErrorWindow*>(&d)) shown << "Error!: " + e->text();
            else {
                shown << d.windowTitle();
                return answer ? answer(d) : int(QDialog::Accepted);
            }
            return int(QDialog::Accepted);
        });
    }
    ~ModalRecorder() { modal::setAnswerer({}); }
};
