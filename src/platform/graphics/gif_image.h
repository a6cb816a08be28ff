#pragma once
// GIF pictures through giflib: the first frame, placed on the picture's logical screen, with its
// transparent colour. The program draws GIFs and never writes them; the file's bytes are kept as read.
#include "platform/graphics/raster_graphic.h"

#include <memory>

namespace lumoria::platform {

// The first frame of a GIF stream on the logical screen: 8-bit indexed when it is opaque and fills
// the screen, premultiplied ARGB32 otherwise.
QImage DecodeGif(const QByteArray& data);

// The first frame of a GIF stream read a row at a time, so that a caller scaling the rows as they
// come never holds the picture. Raises InvalidPicture as DecodeGif does.
class GifRowReader {
public:
    explicit GifRowReader(const QByteArray& data);
    ~GifRowReader();
    GifRowReader(const GifRowReader&) = delete;
    GifRowReader& operator=(const GifRowReader&) = delete;

    QSize ScreenSize() const;
    // Whether the frame is opaque and fills its screen.
    bool Opaque() const;
    // Whether, besides, its rows come from the top (not interlaced): only then are they read here.
    bool RowsInOrder() const;
    // The next row as blue, green, red bytes; null after the last.
    const uchar* NextRow();

private:
    friend QImage DecodeGif(const QByteArray& data);
    struct Private;
    std::unique_ptr<Private> m;
};

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
