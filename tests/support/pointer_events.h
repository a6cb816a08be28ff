#pragma once
// Drives a control with the events a pointer gives it, delivered straight to the widget.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

namespace lumoria::test {

inline void MoveTo(QWidget* w, QPoint p, Qt::MouseButtons held = Qt::NoButton)
{
    QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void Press(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
{
    QMouseEvent e(QEvent::MouseButtonPress, p, w->mapToGlobal(p), b, b, m);
    QApplication::sendEvent(w, &e);
}

inline void Release(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
{
    QMouseEvent e(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), b, Qt::NoButton, m);
    QApplication::sendEvent(w, &e);
}

inline void Leave(QWidget* w)
{
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
}

// A move onto the point, then a press and a release there.
inline void ClickAt(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton)
{
    MoveTo(w, p);
    Press(w, p, b);
    Release(w, p, b);
}

} // namespace lumoria::test
