#include "ui/EntryDialog.h"

#include "app/core/TextNumbers.h"
#include "ui/ErrorWindow.h"
#include "ui/MessageBoxes.h"
#include "ui/Modal.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

EntryCheck checkEntries(const QStringList& texts, const std::vector<EntryKind>& kinds)
{
    EntryCheck check;
    const int n = int(std::min<std::size_t>(std::size_t(texts.size()), kinds.size()));
    for (int i = 0; i < n; ++i)
        if (texts[i].isEmpty()) {
            check.failure = EntryFailure::Empty;
            check.field = i;
            return check;
        }
    check.values.assign(std::size_t(n), 0.0);
    for (int i = 0; i < n; ++i) {
        const std::string t = texts[i].toStdString();
        switch (kinds[std::size_t(i)]) {
        case EntryKind::Integer:
        case EntryKind::Hex: {
            auto v = kinds[std::size_t(i)] == EntryKind::Hex ? parseHexOrIntText(t) : parseIntText(t);
            if (!v) { check.failure = EntryFailure::NotInteger; check.field = i; return check; }
            check.values[std::size_t(i)] = *v;
            break;
        }
        case EntryKind::Real: {
            auto v = parseRealText(t);
            if (!v) { check.failure = EntryFailure::NotReal; check.field = i; return check; }
            check.values[std::size_t(i)] = *v;
            break;
        }
        case EntryKind::Text:
            break;
        }
    }
    return check;
}

EntryDialog::EntryDialog(const QString& caption, const QStringList& headingLines,
                         std::vector<EntryField> fields, const QString& submitCaption, QWidget* parent)
    : QDialog(parent), fields_(std::move(fields))
{
    setWindowTitle(caption);
    setModal(true);
    layout_ = new QVBoxLayout(this);
    for (const QString& line : headingLines) layout_->addWidget(new QLabel(line, this));
    auto* form = new QFormLayout;
    for (const EntryField& f : fields_) {
        auto* edit = new QLineEdit(f.defaultText, this);
        edit->setObjectName(f.objectName);
        edits_.push_back(edit);
        form->addRow(f.label, edit);
    }
    layout_->addLayout(form);
    extraArea_ = new QWidget(this);
    extraArea_->setLayout(new QVBoxLayout);
    extraArea_->layout()->setContentsMargins(0, 0, 0, 0);
    layout_->addWidget(extraArea_);
    auto* button = new QPushButton(submitCaption, this);
    button->setObjectName("submitButton");
    button->setDefault(true);
    layout_->addWidget(button, 0, Qt::AlignHCenter);
    connect(button, &QPushButton::clicked, this, &EntryDialog::submit);
}

QStringList EntryDialog::texts() const
{
    QStringList t;
    for (QLineEdit* e : edits_) t << e->text();
    return t;
}

ErrorWindow& EntryDialog::rangeWindow()
{
    if (!rangeWindow_) rangeWindow_ = new ErrorWindow({}, this);
    return *rangeWindow_;
}

int EntryDialog::showModal()
{
    return modal::exec(*this);
}

void EntryDialog::submit()
{
    std::vector<EntryKind> kinds;
    for (const EntryField& f : fields_) kinds.push_back(f.kind);
    const EntryCheck check = checkEntries(texts(), kinds);
    switch (check.failure) {
    case EntryFailure::Empty: showEmptyEntryError(*this); break;
    case EntryFailure::NotInteger: showConversionError(this, kNotAnInteger); break;
    case EntryFailure::NotReal: showConversionError(this, realConversionText); break;
    case EntryFailure::None: break;
    }
    if (check.failure != EntryFailure::None) {
        if (closeAfterFailure) reject();
        return;
    }
    if (rangeCheck) {
        const QStringList lines = rangeCheck(check.values);
        if (!lines.isEmpty()) {
            rangeWindow().setLines(lines);
            rangeWindow().showModal();
            return;
        }
    }
    if (apply) apply(check.values, texts());
    accept();
}
