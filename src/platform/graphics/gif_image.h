#pragma once
// GIF pictures through giflib: the first frame, placed on the picture's logical screen, with its
// transparent colour. The program draws GIFs and never writes them; the file's bytes are kept as read.
#include "platform/graphics/graphic.h"

#include <QImage>

namespace lumoria::platform {

// The first frame of a GIF stream as premultiplied ARGB32 of the logical screen's size.
QImage DecodeGif(const QByteArray& data);

class GifImage final : public Graphic {
public:
    GraphicKind Kind() const override { return GraphicKind::Gif; }
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    bool Transparent() const override { return m_transparent; }
    std::unique_ptr<Graphic> Clone() const override { return std::make_unique<GifImage>(*this); }
    void Draw(Canvas& canvas, const QRect& dest) const override;

    void LoadFromData(const QByteArray& data) override;
    QByteArray SaveToData() const override { return m_data; }

    const QImage& Image() const { return m_image; }

private:
    QByteArray m_data;
    QImage m_image;
    bool m_transparent = false;
};

} // namespace lumoria::platform
