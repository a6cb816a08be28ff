#include "components/picture_control.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/graphics/bitmap.h"
#include "platform/ui/align_layout.h"

namespace lumoria {

using platform::Align;

namespace {

Align AlignInParent(const QWidget* control)
{
    const QWidget* parent = control->parentWidget();
    if (!parent)
        return Align::None;
    if (const auto* layout = qobject_cast<const platform::AlignLayout*>(parent->layout()))
        return layout->alignOf(control);
    return Align::None;
}

} // namespace

TPictureControl::TPictureControl(QWidget* parent) : QWidget(parent)
{
    resize(105, 105);
}

void TPictureControl::SetStretch(bool value)
{
    if (value == m_stretch)
        return;
    m_stretch = value;
    PictureChanged();
}

void TPictureControl::SetCenter(bool value)
{
    if (value == m_center)
        return;
    m_center = value;
    PictureChanged();
}

void TPictureControl::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    PictureChanged();
}

void TPictureControl::SetAutoSize(bool value)
{
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    if (m_autoSize) {
        int w = width();
        int h = height();
        if (CanAutoSize(w, h))
            resize(w, h);
    }
}

bool TPictureControl::CanAutoSize(int& newWidth, int& newHeight) const
{
    const Align align = AlignInParent(this);
    const QSize shown = ShownPictureSize();
    if (align == Align::None || align == Align::Left || align == Align::Right)
        newWidth = shown.width();
    if (align == Align::None || align == Align::Top || align == Align::Bottom)
        newHeight = shown.height();
    return true;
}

void TPictureControl::paintEvent(QPaintEvent*)
{
    const platform::Graphic* graphic = ShownGraphic();
    if (!graphic)
        return;
    const bool wasDrawing = m_drawing;
    m_drawing = true;
    QPainter painter(this);
    platform::Canvas canvas(painter, fromQRect(rect()));
    DrawPictureGraphic(canvas, *graphic, DrawnRect(), m_transparent);
    m_drawing = wasDrawing;
}

void TPictureControl::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void TPictureControl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseMove(event->modifiers(), at.x(), at.y());
}

void TPictureControl::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseUp(event->button(), event->modifiers(), at.x(), at.y());
    if (event->button() == Qt::LeftButton && rect().contains(at))
        emit OnClick();
}

void TPictureControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
    emit OnDblClick();
}

void DrawPictureGraphic(platform::Canvas& canvas, const platform::Graphic& graphic, const Rect& dest,
                        bool transparentBitmap)
{
    if (transparentBitmap && graphic.Kind() == platform::GraphicKind::Bitmap && !graphic.Empty()) {
        QImage image = static_cast<const platform::Bitmap&>(graphic).Image().convertToFormat(QImage::Format_ARGB32);
        const QRgb clear = image.pixel(0, image.height() - 1) & RGB_MASK;
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] & RGB_MASK) == clear)
                    line[x] = 0;
        }
        canvas.DrawImage(dest, image.convertToFormat(QImage::Format_ARGB32_Premultiplied), image.rect());
    } else {
        canvas.StretchDraw(dest, graphic);
    }
}

} // namespace lumoria
