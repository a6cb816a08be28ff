#include "platform/ui/stretched_picture.h"

#include <QPainter>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/graphic.h"

namespace lumoria::platform {

StretchedPicture::StretchedPicture(QWidget* parent) : QWidget(parent) {}

void StretchedPicture::loadFromFile(const QString& path)
{
    m_picture.LoadFromFile(path);
    m_drawn = QImage();
    update();
}

void StretchedPicture::clear()
{
    m_picture.Clear();
    m_drawn = QImage();
    update();
}

void StretchedPicture::prepare()
{
    m_drawn = QImage();
    const Graphic* graphic = m_picture.GetGraphic();
    if (!graphic || graphic->Empty() || width() <= 0 || height() <= 0)
        return;
    Bitmap bitmap(width(), height(), PixelFormat::Bits32);
    bitmap.GetCanvas().StretchDraw(Rect{0, 0, width(), height()}, *graphic);
    m_drawn = bitmap.PaintableImage().copy();
    update();
}

void StretchedPicture::paintEvent(QPaintEvent*)
{
    if (m_drawn.size() != size()) {
        try {
            prepare();
        } catch (...) {
            // Whoever set the picture was told when it was prepared; painting shows nothing.
            m_drawn = QImage();
        }
    }
    if (m_drawn.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_drawn);
}

} // namespace lumoria::platform
