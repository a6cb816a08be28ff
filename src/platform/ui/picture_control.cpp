#include "platform/ui/picture_control.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"

namespace lumoria::platform {

PictureControl::PictureControl(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

PictureControl::~PictureControl() = default;

Bitmap& PictureControl::bitmap()
{
    if (!m_bitmap)
        m_bitmap = std::make_unique<Bitmap>();
    return *m_bitmap;
}

Canvas& PictureControl::canvas() { return bitmap().GetCanvas(); }

void PictureControl::paintEvent(QPaintEvent*)
{
    if (!m_bitmap || m_bitmap->Empty())
        return;
    QPainter painter(this);
    if (m_stretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_bitmap->PaintableImage());
    } else {
        painter.drawImage(QPoint(0, 0), m_bitmap->PaintableImage());
    }
}

void PictureControl::setStretch(bool on)
{
    m_stretch = on;
    update();
}

void PictureControl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseMoved(event->modifiers(), p.x(), p.y());
}

void PictureControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    QWidget::mousePressEvent(event);
}

void PictureControl::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = event->button() == Qt::LeftButton && m_leftDown && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_leftDown = false;
    if (click)
        emit clicked();
}

} // namespace lumoria::platform
