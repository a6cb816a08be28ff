#pragma once
// A pixel bitmap with direct row access. Rows are top-down; 24-bit pixels are blue, green, red and
// 32-bit ones blue, green, red and a fourth byte. A new bitmap has the display-compatible format,
// which is 32-bit here. Palette bitmaps (1 and 8 bits) hold a colour table; drawing on one turns it
// into a 24-bit bitmap first, as painting needs direct colours.
#include "platform/graphics/graphic.h"

#include <QImage>

#include <memory>

namespace lumoria::platform {

enum class PixelFormat { Device, Bits1, Bits8, Bits24, Bits32 };

class Bitmap final : public Graphic {
public:
    Bitmap();
    Bitmap(int width, int height, PixelFormat format = PixelFormat::Device);
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    ~Bitmap() override;

    GraphicKind Kind() const override { return GraphicKind::Bitmap; }
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    std::unique_ptr<Graphic> Clone() const override;
    void Draw(Canvas& canvas, const QRect& dest) const override;

    // BMP files.
    void LoadFromData(const QByteArray& data) override;
    QByteArray SaveToData() const override;

    // A new size keeps the pixels of the top-left part; new pixels are white.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }

    PixelFormat Format() const { return m_format; }
    // Converts the pixels to another format (to 1 or 8 bits through the nearest colours).
    void SetPixelFormat(PixelFormat format);

    // Row y of the pixels, top-down; RangeError outside the bitmap.
    uchar* ScanLine(int y);
    const uchar* ScanLine(int y) const;
    qsizetype BytesPerLine() const { return m_image.bytesPerLine(); }

    // Takes a copy of any graphic: a bitmap's pixels and format; a JPEG image decoded at full size in
    // the decoder's format; any other graphic drawn onto a white bitmap of its size.
    void Assign(const Graphic& source);
    // Empties the bitmap (0 x 0).
    void Clear();
    // Lets go of memory kept only to speed drawing up; the pixels stay.
    void FreeImage();

    Canvas& GetCanvas();

    // The pixels as Qt holds them (RGB32, BGR888, Indexed8 or Mono by format).
    const QImage& Image() const { return m_image; }
    // Takes an image of one of the formats above (others are converted to 32 bits).
    void SetImage(QImage image, PixelFormat format);
    // The pixels ready for painting; a palette bitmap becomes 24-bit here.
    QImage& PaintableImage();

private:
    QImage m_image;
    PixelFormat m_format = PixelFormat::Device;
    std::unique_ptr<Canvas> m_canvas;
};

// The Qt format that holds a pixel format.
QImage::Format QtFormatOf(PixelFormat format);

} // namespace lumoria::platform
