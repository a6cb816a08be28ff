#include "editing/picture_layer.h"

#include <QPainter>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/image_scaling.h"

namespace lumoria {

PictureLayer::PictureLayer(QWidget* parent) : PointerRelay(parent) {}

void PictureLayer::Changed()
{
    m_scaledValid = false;
    update();
}

void PictureLayer::paintEvent(QPaintEvent*)
{
    const platform::Graphic* g = m_picture.GetGraphic();
    if (!g || g->Empty() || width() <= 0 || height() <= 0)
        return;
    QPainter painter(this);
    if (g->Kind() == platform::GraphicKind::Bitmap) {
        // Stretching a working copy of up to 3200 pixels is the costly part of a paint: it is kept.
        if (!m_scaledValid || m_scaled.size() != size()) {
            auto& b = const_cast<platform::Bitmap&>(static_cast<const platform::Bitmap&>(*g));
            const QImage& pixels = b.PaintableImage();
            m_scaled = platform::ScaleImage(pixels, pixels.rect(), size());
            m_scaledValid = true;
        }
        painter.drawImage(0, 0, m_scaled);
        return;
    }
    platform::Canvas canvas(painter, Rect{0, 0, width(), height()});
    canvas.StretchDraw(Rect{0, 0, width(), height()}, *g);
}

} // namespace lumoria
