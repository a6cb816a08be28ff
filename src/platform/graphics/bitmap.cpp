#include "platform/graphics/bitmap.h"

#include "platform/failure.h"
#include "platform/graphics/bmp_codec.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/image_memory.h"

#include <QPainter>

#include <algorithm>

namespace lumoria::platform {

QImage::Format QtFormatOf(PixelFormat format)
{
    switch (format) {
    case PixelFormat::Bits1:
        return QImage::Format_Mono;
    case PixelFormat::Bits8:
        return QImage::Format_Indexed8;
    case PixelFormat::Bits24:
        return QImage::Format_BGR888;
    case PixelFormat::Device:
    case PixelFormat::Bits32:
        break;
    }
    return QImage::Format_RGB32;
}

namespace {

QImage Converted(const QImage& image, PixelFormat format)
{
    const QImage::Format target = QtFormatOf(format);
    if (image.isNull() || image.format() == target)
        return image;
    QImage out;
    if (target == QImage::Format_RGB32 && image.hasAlphaChannel()) {
        // Transparent parts turn white, as on a new white bitmap.
        out = AllocateImage(image.width(), image.height(), QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter p(&out);
        p.drawImage(0, 0, image);
        return out;
    }
    out = image.convertToFormat(target, target == QImage::Format_Mono ? Qt::ThresholdDither : Qt::AutoColor);
    if (out.isNull())
        throw OutOfMemory();
    return out;
}

} // namespace

Bitmap::Bitmap() = default;

Bitmap::Bitmap(int width, int height, PixelFormat format) : m_format(format)
{
    SetSize(width, height);
}

Bitmap::Bitmap(const Bitmap& other) : Graphic(other), m_image(other.m_image), m_format(other.m_format) {}

Bitmap& Bitmap::operator=(const Bitmap& other)
{
    if (this != &other) {
        m_image = other.m_image;
        m_format = other.m_format;
    }
    return *this;
}

Bitmap::~Bitmap() = default;

std::unique_ptr<Graphic> Bitmap::Clone() const
{
    return std::make_unique<Bitmap>(*this);
}

void Bitmap::Draw(Canvas& canvas, const QRect& dest) const
{
    canvas.DrawImage(fromQRect(dest), m_image, m_image.rect());
}

void Bitmap::LoadFromData(const QByteArray& data)
{
    DecodedBitmap decoded = DecodeBmp(data);
    SetImage(std::move(decoded.image), decoded.format);
}

QByteArray Bitmap::SaveToData() const
{
    return EncodeBmp(m_image, m_format);
}

void Bitmap::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height())
        return;
    if (width == 0 || height == 0) {
        m_image = QImage();
        return;
    }
    QImage resized = AllocateImageToFill(width, height, QtFormatOf(m_format));
    if (resized.format() == QImage::Format_Indexed8 || resized.format() == QImage::Format_Mono) {
        QList<QRgb> table = m_image.isNull() ? QList<QRgb>() : m_image.colorTable();
        const int size = resized.format() == QImage::Format_Mono ? 2 : 256;
        if (table.isEmpty()) {
            for (int i = 0; i < size; ++i)
                table.append(size == 2 ? (i ? qRgb(255, 255, 255) : qRgb(0, 0, 0)) : qRgb(i, i, i));
        }
        resized.setColorTable(table);
        resized.fill(uint(table.size() - 1 < 255 ? table.size() - 1 : 255));
    } else {
        FillWhite(resized);
    }
    if (!m_image.isNull()) {
        const int rows = std::min(height, m_image.height());
        const qsizetype bytes = std::min(resized.bytesPerLine(), m_image.bytesPerLine());
        const qsizetype used = std::min<qsizetype>(bytes, (qsizetype(std::min(width, m_image.width())) * resized.depth() + 7) / 8);
        for (int y = 0; y < rows; ++y)
            std::copy_n(m_image.constScanLine(y), used, resized.scanLine(y));
    }
    m_image = std::move(resized);
}

void Bitmap::SetPixelFormat(PixelFormat format)
{
    if (format == m_format)
        return;
    m_image = Converted(m_image, format);
    m_format = format;
}

uchar* Bitmap::ScanLine(int y)
{
    if (y < 0 || y >= Height())
        throw RangeError();
    return m_image.scanLine(y);
}

const uchar* Bitmap::ScanLine(int y) const
{
    if (y < 0 || y >= Height())
        throw RangeError();
    return m_image.constScanLine(y);
}

void Bitmap::Assign(const Graphic& source)
{
    if (&source == this)
        return;
    if (source.Kind() == GraphicKind::Bitmap) {
        *this = static_cast<const Bitmap&>(source);
        return;
    }
    if (source.AssignTo(*this))
        return;
    // Other graphics are drawn onto a white bitmap of their size.
    Bitmap drawn(source.Width(), source.Height(), PixelFormat::Device);
    if (!drawn.Empty()) {
        drawn.GetCanvas().StretchDraw(Rect{0, 0, drawn.Width(), drawn.Height()}, source);
    }
    *this = drawn;
}

void Bitmap::Clear()
{
    m_image = QImage();
}

void Bitmap::FreeImage()
{
    // Pixels live in one buffer here; nothing else is kept beside them.
}

Canvas& Bitmap::GetCanvas()
{
    if (!m_canvas)
        m_canvas = std::make_unique<Canvas>(*this);
    return *m_canvas;
}

void Bitmap::SetImage(QImage image, PixelFormat format)
{
    m_image = Converted(image, format);
    m_format = format;
}

QImage& Bitmap::PaintableImage()
{
    if (m_image.format() == QImage::Format_Indexed8 || m_image.format() == QImage::Format_Mono)
        SetPixelFormat(PixelFormat::Bits24);
    return m_image;
}

} // namespace lumoria::platform
