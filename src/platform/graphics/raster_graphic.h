#pragma once
// A graphic decoded once into pixels that may be transparent (GIF, icon): the file's bytes as read,
// and the premultiplied ARGB32 picture drawn from them.
#include "platform/graphics/graphic.h"

#include <QImage>

namespace lumoria::platform {

class RasterGraphic : public Graphic {
public:
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    void Draw(Canvas& canvas, const QRect& dest) const override;
    QByteArray SaveToData() const override { return m_data; }

    const QImage& Image() const { return m_image; }

protected:
    void SetDecoded(const QByteArray& data, QImage image);

private:
    QByteArray m_data;
    QImage m_image;
};

} // namespace lumoria::platform
