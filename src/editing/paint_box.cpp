#include "editing/paint_box.h"

#include <QPainter>

#include "platform/graphics/canvas.h"
#include "platform/ui/dispatch.h"

namespace lumoria {

PaintBox::PaintBox(QWidget* parent) : PointerRelay(parent) {}

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

} // namespace lumoria
