#include "platform/graphics/canvas.h"

#include "platform/failure.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/image_memory.h"
#include "platform/graphics/image_rotation.h"
#include "platform/graphics/image_scaling.h"
#include "platform/graphics/parallel.h"
#include "platform/numeric.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

namespace lumoria::platform {

QFont Font::ToQFont() const
{
    QFont f(name);
    f.setPointSize(std::max(1, size));
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    return f;
}

Canvas::Canvas(Bitmap& bitmap) : m_bitmap(&bitmap) {}

Canvas::Canvas(QPainter& painter, const Rect& clip, bool printer)
    : m_painter(&painter), m_clip(clip), m_printer(printer)
{
}

Rect Canvas::ClipRect() const
{
    if (m_bitmap)
        return Rect{0, 0, m_bitmap->Width(), m_bitmap->Height()};
    return m_clip;
}

QPainter* Canvas::BeginPainter()
{
    if (m_bitmap) {
        if (m_bitmap->Empty())
            return nullptr;
        auto* painter = new QPainter(&m_bitmap->PaintableImage());
        return painter;
    }
    m_painter->save();
    return m_painter;
}

void Canvas::EndPainter(QPainter* painter)
{
    if (m_bitmap)
        delete painter;
    else
        painter->restore();
}

void Canvas::ApplyPen(QPainter& painter) const
{
    if (pen.style == PenStyle::Clear) {
        painter.setPen(Qt::NoPen);
        return;
    }
    QPen p(pen.color);
    p.setWidth(std::max(1, pen.width));
    p.setCapStyle(pen.round ? Qt::RoundCap : Qt::FlatCap);
    p.setJoinStyle(pen.round ? Qt::RoundJoin : Qt::MiterJoin);
    painter.setPen(p);
}

void Canvas::ApplyBrush(QPainter& painter) const
{
    if (brush.style == BrushStyle::Clear)
        painter.setBrush(Qt::NoBrush);
    else
        painter.setBrush(brush.color);
}

void Canvas::FillRect(const Rect& r)
{
    const QRect q = toQRect(r);
    if (q.width() <= 0 || q.height() <= 0 || brush.style == BrushStyle::Clear)
        return;
    Paint([&](QPainter& p) { p.fillRect(q, brush.color); });
}

void Canvas::Rectangle(const Rect& r)
{
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    if (w <= 0 || h <= 0)
        return;
    // A large opaque fill of a 32-bit bitmap (a page at printer resolution) is spread over the threads.
    bool filled = false;
    if (brush.style == BrushStyle::Solid && brush.color.alpha() == 255 && m_bitmap && !m_bitmap->Empty()
        && std::int64_t(w) * h >= (1 << 22) && m_bitmap->Image().format() == QImage::Format_RGB32) {
        QImage& image = m_bitmap->PaintableImage();
        const QRect area = QRect(r.Left, r.Top, w, h).intersected(image.rect());
        if (!area.isEmpty()) {
            uchar* bits = image.bits();
            const qsizetype stride = image.bytesPerLine();
            const QRgb value = brush.color.rgb();
            const int bands = PixelThreads() * 4;
            ParallelFor(bands, [&](int band) {
                const int y0 = area.top() + int(std::int64_t(area.height()) * band / bands);
                const int y1 = area.top() + int(std::int64_t(area.height()) * (band + 1) / bands);
                for (int y = y0; y < y1; ++y)
                    std::fill_n(reinterpret_cast<QRgb*>(bits + y * stride) + area.left(), area.width(), value);
            });
        }
        filled = true;
    }
    Paint([&](QPainter& p) {
        if (brush.style == BrushStyle::Solid && !filled)
            p.fillRect(QRect(r.Left, r.Top, w, h), brush.color);
        if (pen.style == PenStyle::Solid) {
            ApplyPen(p);
            p.setBrush(Qt::NoBrush);
            // Qt outlines QRect(x, y, w, h) on columns x and x + w.
            p.drawRect(QRect(r.Left, r.Top, w - 1, h - 1));
        }
    });
}

void Canvas::MoveTo(int x, int y)
{
    m_penPos = Point{x, y};
}

void Canvas::LineTo(int x, int y)
{
    const Point from = m_penPos;
    m_penPos = Point{x, y};
    if (pen.style == PenStyle::Clear || (from.X == x && from.Y == y))
        return;
    Paint([&](QPainter& p) {
        ApplyPen(p);
        p.drawLine(from.X, from.Y, x, y);
    });
}

void Canvas::PolyBezier(const Point* points, int count)
{
    if (pen.style == PenStyle::Clear || count < 4 || (count - 1) % 3 != 0)
        return;
    QPainterPath path(QPointF(points[0].X, points[0].Y));
    for (int k = 1; k + 2 < count; k += 3)
        path.cubicTo(points[k].X, points[k].Y, points[k + 1].X, points[k + 1].Y, points[k + 2].X, points[k + 2].Y);
    Paint([&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        ApplyPen(p);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    });
}

void Canvas::StretchDraw(const Rect& dest, const Graphic& graphic)
{
    if (dest.Right <= dest.Left || dest.Bottom <= dest.Top || graphic.Empty())
        return;
    graphic.Draw(*this, toQRect(dest));
}

void Canvas::Draw(int x, int y, const Graphic& graphic)
{
    StretchDraw(Rect{x, y, x + graphic.Width(), y + graphic.Height()}, graphic);
}

void Canvas::CopyRect(const Rect& dest, Canvas& sourceCanvas, const Rect& source)
{
    Bitmap* bitmap = sourceCanvas.OwnerBitmap();
    if (!bitmap || bitmap->Empty())
        return;
    if (bitmap == m_bitmap) {
        const QImage copy = bitmap->Image().copy(); // source and target are the same pixels
        DrawImage(dest, copy, toQRect(source));
    } else {
        DrawImage(dest, bitmap->Image(), toQRect(source));
    }
}

namespace {

// Whether the scaler would first convert the picture whole to 32 bits (a palette picture, at a
// quarter or less of that size): such a picture without alpha is scaled as its rows arrive instead.
bool ScaledInBands(const QImage& image)
{
    const QImage::Format f = image.format();
    return f != QImage::Format_RGB32 && f != QImage::Format_ARGB32_Premultiplied && f != QImage::Format_BGR888
           && !image.hasAlphaChannel();
}

// The same pixels as ScaleImage(image, source, target, window), with a band of rows converted at a
// time; a large picture's columns are shared out over the pixel threads.
QImage ScaleInBands(const QImage& image, const QRect& source, QSize target, const QRect& window)
{
    const QRect src = source.intersected(image.rect());
    QImage result = AllocateImage(window.width(), window.height(), QImage::Format_RGB32);
    constexpr std::int64_t kPixelsPerThread = 1 << 20;
    const int threads = int(std::clamp<std::int64_t>(std::int64_t(src.width()) * src.height() / kPixelsPerThread, 1,
                                                     std::min(PixelThreads(), target.width())));
    std::vector<std::unique_ptr<RowScaler>> scalers;
    for (int k = 0; k < threads; ++k)
        scalers.push_back(std::make_unique<RowScaler>(
            src.width(), src.height(), 3, QRectF(QPointF(0, 0), QSizeF(src.size())), target, Orientation(), result.bits(),
            result.bytesPerLine(), result.size(), -window.topLeft(), target.width() * k / threads,
            target.width() * (k + 1) / threads));
    // 8-bit indexes are looked up here; other formats are converted by Qt, a band at a time.
    const bool indexed = image.format() == QImage::Format_Indexed8;
    std::array<std::array<uchar, 3>, 256> colours{};
    const QList<QRgb> table = image.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
        colours[std::size_t(i)] = {uchar(qBlue(c)), uchar(qGreen(c)), uchar(qRed(c))};
    }
    constexpr int kBand = 64;
    QImage band;
    for (int y = 0; y < src.height() && !scalers.front()->Done(); y += kBand) {
        const int rows = std::min(kBand, src.height() - y);
        if (indexed) {
            if (band.isNull())
                band = AllocateImage(src.width(), kBand, QImage::Format_BGR888);
            for (int i = 0; i < rows; ++i) {
                const uchar* from = image.constScanLine(src.top() + y + i) + src.left();
                uchar* to = band.scanLine(i);
                for (int x = 0; x < src.width(); ++x, to += 3)
                    std::memcpy(to, colours[from[x]].data(), 3);
            }
        } else {
            band = image.copy(src.left(), src.top() + y, src.width(), rows).convertToFormat(QImage::Format_BGR888);
            if (band.isNull())
                throw OutOfMemory();
        }
        ParallelFor(threads, [&](int k) {
            for (int i = 0; i < rows; ++i)
                scalers[std::size_t(k)]->Push(y + i, band.constScanLine(i));
        });
    }
    for (auto& scaler : scalers)
        scaler->Finish();
    return result;
}

} // namespace

void Canvas::DrawImage(const Rect& dest, const QImage& image, const QRect& source)
{
    QRect d = toQRect(dest);
    if (d.width() <= 0 || d.height() <= 0 || source.width() <= 0 || source.height() <= 0)
        return;
    QRect src = source.intersected(image.rect());
    if (src.isEmpty())
        return;
    if (src != source) {
        // A source reaching past the image: the part inside lands where it would have landed.
        const long double sx = (long double)d.width() / source.width();
        const long double sy = (long double)d.height() / source.height();
        const int left = d.left() + int(Round((src.left() - source.left()) * sx));
        const int top = d.top() + int(Round((src.top() - source.top()) * sy));
        const int right = d.left() + int(Round((src.left() + src.width() - source.left()) * sx));
        const int bottom = d.top() + int(Round((src.top() + src.height() - source.top()) * sy));
        d = QRect(left, top, right - left, bottom - top);
        if (d.width() <= 0 || d.height() <= 0)
            return;
    }
    Paint([&](QPainter& p) {
        // Only the part that lands on the device is resampled.
        QRect visible = d.intersected(toQRect(ClipRect()));
        if (!m_bitmap && p.hasClipping())
            visible = visible.intersected(p.clipBoundingRect().toAlignedRect());
        if (visible.isEmpty())
            return;
        const QRect window = visible.translated(-d.topLeft());
        if (m_bitmap && !image.hasAlphaChannel())
            p.setCompositionMode(QPainter::CompositionMode_Source);
        if (src.size() == d.size()) {
            const QRect part = window.translated(src.topLeft());
            if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied
                || !m_bitmap) {
                p.drawImage(visible.topLeft(), image, part);
                return;
            }
        }
        p.drawImage(visible.topLeft(), ScaledInBands(image) ? ScaleInBands(image, src, d.size(), window)
                                                             : ScaleImage(image, src, d.size(), window));
    });
}

void Canvas::TextOut(int x, int y, const QString& text)
{
    Paint([&](QPainter& p) {
        const QFont f = font.ToQFont();
        p.setFont(f);
        const QFontMetrics metrics(f, p.device());
        const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
        if (brush.style == BrushStyle::Solid)
            p.fillRect(box, brush.color);
        p.setPen(font.color);
        p.drawText(QPoint(x, y + metrics.ascent()), text);
    });
}

int Canvas::TextWidth(const QString& text) const
{
    return QFontMetrics(font.ToQFont()).horizontalAdvance(text);
}

int Canvas::TextHeight(const QString& text) const
{
    Q_UNUSED(text);
    return QFontMetrics(font.ToQFont()).height();
}

QColor Canvas::Pixel(int x, int y) const
{
    if (!m_bitmap || x < 0 || y < 0 || x >= m_bitmap->Width() || y >= m_bitmap->Height())
        return QColor(Qt::black);
    return m_bitmap->Image().pixelColor(x, y);
}

} // namespace lumoria::platform
