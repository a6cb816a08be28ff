#pragma once
// GIF pictures through giflib: the first frame, placed on the picture's logical screen, with its
// transparent colour. The program draws GIFs and never writes them; the file's bytes are kept as read.
#include "platform/graphics/raster_graphic.h"

namespace lumoria::platform {

// The first frame of a GIF stream on the logical screen: 8-bit indexed when it is opaque and fills
// the screen, premultiplied ARGB32 otherwise.
QImage DecodeGif(const QByteArray& data);

class GifImage final : public RasterGraphic {
public:
    GraphicKind Kind() const override { return GraphicKind::Gif; }
    bool Transparent() const override { return m_transparent; }
    std::unique_ptr<Graphic> Clone() const override { return std::make_unique<GifImage>(*this); }
    void LoadFromData(const QByteArray& data) override;

private:
    bool m_transparent = false;
};

} // namespace lumoria::platform
