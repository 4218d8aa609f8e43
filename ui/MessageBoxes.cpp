#include "ui/MessageBoxes.h"

#include "ui/Modal.h"

#include <QMessageBox>

void showMessageBox(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.setObjectName("messageBox");
    modal::exec(box);
}
