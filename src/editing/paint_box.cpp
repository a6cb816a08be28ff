#include "editing/paint_box.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/graphics/canvas.h"
#include "platform/ui/dispatch.h"

namespace lumoria {

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {}

void PaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    platform::Canvas canvas(painter, Rect{0, 0, width(), height()});
    if (CircleColor) {
        canvas.brush.color = platform::toQColor(*CircleColor);
        canvas.pen.color = Qt::white;
        canvas.Paint([&](QPainter& p) {
            p.setPen(Qt::white);
            p.setBrush(platform::toQColor(*CircleColor));
            p.drawEllipse(0, 0, width() - 1, height() - 1);
        });
    }
    if (OnPaint)
        platform::runGuarded([&] { OnPaint(canvas); });
}

void PaintBox::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mousePressed(event->button(), false, p.x(), p.y());
}

void PaintBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mousePressed(event->button(), true, p.x(), p.y());
}

void PaintBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseMoved(event->buttons(), p.x(), p.y());
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseReleased(event->button(), p.x(), p.y());
}

} // namespace lumoria
