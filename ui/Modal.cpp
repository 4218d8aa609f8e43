#include "ui/Modal.h"

#include <QDialog>

namespace {
modal::Answerer& answerer()
{
    static modal::Answerer a;
    return a;
}
} // namespace

int modal::exec(QDialog& dialog)
{
    if (answerer()) return answerer()(dialog);
    return dialog.exec();
}

void modal::setAnswerer(Answerer a)
{
    answerer() = std::move(a);
}
