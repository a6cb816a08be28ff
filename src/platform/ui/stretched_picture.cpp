#include "platform/ui/stretched_picture.h"

#include <QPainter>

#include "platform/graphics/canvas.h"
#include "platform/graphics/graphic.h"

namespace lumoria::platform {

StretchedPicture::StretchedPicture(QWidget* parent) : QWidget(parent) {}

void StretchedPicture::loadFromFile(const QString& path)
{
    m_picture.LoadFromFile(path);
    update();
}

void StretchedPicture::paintEvent(QPaintEvent*)
{
    const Graphic* graphic = m_picture.GetGraphic();
    if (!graphic || graphic->Empty())
        return;
    QPainter painter(this);
    Canvas canvas(painter, Rect{0, 0, width(), height()});
    canvas.StretchDraw(Rect{0, 0, width(), height()}, *graphic);
}

} // namespace lumoria::platform
