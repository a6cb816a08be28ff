#include "editing/pointer_relay.h"

#include <QMouseEvent>

namespace lumoria {

void PointerRelay::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mousePressed(event->button(), event->buttons(), p.x(), p.y());
}

void PointerRelay::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseDoubleClicked(event->button(), p.x(), p.y());
}

void PointerRelay::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseMoved(event->buttons(), p.x(), p.y());
}

void PointerRelay::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseReleased(event->button(), p.x(), p.y());
}

} // namespace lumoria
