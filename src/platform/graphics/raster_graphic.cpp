#include "platform/graphics/raster_graphic.h"

#include "platform/graphics/canvas.h"

namespace lumoria::platform {

void RasterGraphic::Draw(Canvas& canvas, const QRect& dest) const
{
    canvas.DrawImage(fromQRect(dest), m_image, m_image.rect());
}

void RasterGraphic::SetDecoded(const QByteArray& data, QImage image)
{
    m_data = data;
    m_image = std::move(image);
}

} // namespace lumoria::platform
