#include "ui/ErrorWindow.h"

#include "ui/Modal.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ErrorWindow::ErrorWindow(const QStringList& lines, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("Error!");
    setObjectName("errorWindow");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(this);
    text_->setObjectName("errorText");
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text_);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setLines(lines);
}

void ErrorWindow::setLines(const QStringList& lines)
{
    text_->setText(lines.join('\n'));
    adjustSize();
}

QString ErrorWindow::text() const
{
    return text_->text();
}

void ErrorWindow::showModal()
{
    modal::exec(*this);
}

QStringList errorLines(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const auto& l : lines) out << QString::fromStdString(l);
    return out;
}

ErrorWindow& generalErrorWindow(QWidget& from)
{
    QWidget* top = &from;
    while (top->parentWidget()) top = top->parentWidget();
    if (auto* w = top->findChild<ErrorWindow*>(kGeneralErrorWindowName)) return *w;
    auto* w = new ErrorWindow({kEmptyEntryText}, top);
    w->setObjectName(kGeneralErrorWindowName);
    return *w;
}

void showEmptyEntryError(QWidget& from)
{
    generalErrorWindow(from).showModal();
}
