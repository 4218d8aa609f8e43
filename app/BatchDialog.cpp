#include "app/BatchDialog.h"

#include "app/core/Reporter.h"
#include "app/OpenDispatch.h"
#include "ui/FileDialogs.h"
#include "ui/Modal.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

BatchDialog::BatchDialog(SessionState& session, Reporter& reporter, QWidget* parent)
    : QDialog(parent), session_(session), reporter_(reporter)
{
    setWindowTitle("Batch Mode Dialog");
    setObjectName("batchModeDialog");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    listBox_ = new QPlainTextEdit(this);
    listBox_->setObjectName("batchList");
    listBox_->setReadOnly(true);
    listBox_->setMinimumSize(420, 220);
    layout->addWidget(listBox_);
    auto* buttons = new QHBoxLayout;
    const struct {
        const char* caption;
        const char* objectName;
        void (BatchDialog::*slot)();
    } kButtons[] = {{"Add Files", "addFilesButton", &BatchDialog::addFiles},
                    {"Continue", "continueButton", &BatchDialog::continueBatch},
                    {"Cancel", "cancelButton", &BatchDialog::cancel}};
    for (const auto& b : kButtons) {
        auto* button = new QPushButton(b.caption, this);
        button->setObjectName(b.objectName);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, b.slot);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    showList();
}

int BatchDialog::showModal()
{
    return modal::exec(*this);
}

void BatchDialog::showList()
{
    // One empty line, then each path followed by a line holding one blank.
    QStringList lines{""};
    for (const std::string& path : list_.batchFiles) lines << QString::fromStdString(path) << " ";
    listBox_->setPlainText(lines.join('\n'));
}

void BatchDialog::addFiles()
{
    const std::string path = filedialogs::openFile(this, kBatchFilter, ".hgt").toStdString();
    if (path.empty()) return;
    if (list_.add(path, extensionOf(path), reporter_)) showList();
}

void BatchDialog::continueBatch()
{
    startBatchMode(session_);
    if (requestSolverParameters) requestSolverParameters();
    if (defineNullData) defineNullData();
    accept();
}

void BatchDialog::cancel()
{
    list_.dropLast();
    showList();
    reject();
}
