// Mouse moves delivered straight to a widget. The test library's mouse move goes
// through the window system and is lost while a window is not yet placed or
// exposed, which happens on a loaded display server.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

/// Moves the pointer to p (widget coordinates) over w, with the buttons held.
inline void moveMouse(QWidget* w, QPoint p, Qt::MouseButtons held = Qt::NoButton)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
