#include "graphics/GraphicsWindow.h"

#include <QLabel>
#include <QScrollArea>

GraphicsWindow::GraphicsWindow(SessionState& session, Reporter& reporter, QWidget* parent)
    : QMainWindow(parent, Qt::Window), session_(session), reporter_(reporter)
{
    setWindowTitle("GRIDMEND Graphics");
    setObjectName("graphicsWindow");
    picture_ = new QLabel(this);
    picture_->setObjectName("graphicsPicture");
    setCentralWidget(picture_);
    resize(400, 400);
    model_.hooks.changed = [this] { render(); };
}

void GraphicsWindow::render()
{
    picture_->update();
}
