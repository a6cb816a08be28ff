#include "editing/angle_image.h"

#include <QMoveEvent>
#include <QPainter>
#include <QRegion>

#include <cmath>
#include <numbers>

#include "imaging/rotate_bitmap.h"
#include "platform/failure.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/image_memory.h"
#include "platform/graphics/image_scaling.h"
#include "platform/numeric.h"

namespace lumoria {

using platform::Bitmap;
using platform::ColorRef;
using platform::GraphicKind;

Rect CalcDestRect(const DestRectOptions& o, int diagonal, QSize rotated, QSize client)
{
    int dx = 0;
    int dy = 0;
    int w = o.uniqueSize ? diagonal : rotated.width();
    int h = o.uniqueSize ? diagonal : rotated.height();
    const int cw = client.width();
    const int ch = client.height();
    if (o.stretch || (o.proportional && (w > cw || h > ch))) {
        if (o.proportional && w > 0 && h > 0) {
            if (double(ch) / h > double(cw) / w) {
                h = MulDiv(h, cw, w);
                w = cw;
            } else {
                w = MulDiv(w, ch, h);
                h = ch;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    if (o.uniqueSize && diagonal != 0) {
        dx = MulDiv(diagonal - rotated.width(), w, diagonal);
        dy = MulDiv(diagonal - rotated.height(), h, diagonal);
        w -= dx;
        h -= dy;
    }
    Rect r{0, 0, w, h};
    int ox = 0;
    int oy = 0;
    if (o.center) {
        ox = Div(cw - w, 2);
        oy = Div(ch - h, 2);
    } else if (o.uniqueSize && diagonal > 0) {
        ox = Div(dx, 2);
        oy = Div(dy, 2);
    }
    return Rect{r.Left + ox, r.Top + oy, r.Right + ox, r.Bottom + oy};
}

TAngleImage::TAngleImage(QWidget* parent) : TPictureControl(parent) {}

TAngleImage::~TAngleImage()
{
    m_rotated = Bitmap();
    platform::ReleaseRecycledImageMemory();
}

void TAngleImage::SetAngle(long double angle)
{
    if (angle == m_angle)
        return;
    const long double before = m_angle;
    m_angle = angle;
    if (m_picture.GetGraphic()) {
        // A turn that cannot be had leaves the control as it was.
        try {
            UpdateRotatedBitmap();
        } catch (...) {
            m_angle = before;
            throw;
        }
        InvalidateCaches();
        if (AutoSize() && !m_uniqueSize)
            ApplyAutoSize();
    }
}

void TAngleImage::SetPicture(const platform::Picture& picture)
{
    m_picture.Assign(picture);
    RebuildImage();
}

void TAngleImage::SetGraphic(const platform::Graphic& graphic)
{
    m_picture.AssignGraphic(&graphic);
    RebuildImage();
}

void TAngleImage::PictureChanged()
{
    // The see-through drawing is made when painting; the rest is where the bitmap goes.
    InvalidateCaches();
}

void TAngleImage::SetTransparentColor(ColorRef color)
{
    // Only a different value is a change of the picture.
    if (color == m_transparentColor)
        return;
    m_transparentColor = color;
    const platform::Graphic* g = m_picture.GetGraphic();
    if (g && g->Kind() == GraphicKind::Bitmap)
        RebuildImage();
}

void TAngleImage::SetProportional(bool on)
{
    if (on == m_proportional)
        return;
    m_proportional = on;
    InvalidateCaches();
}

void TAngleImage::SetUniqueSize(bool on)
{
    if (on == m_uniqueSize)
        return;
    m_uniqueSize = on;
    InvalidateCaches();
    if (AutoSize())
        ApplyAutoSize();
}

void TAngleImage::SetColor(ColorRef color)
{
    if (color == m_color)
        return;
    m_color = color;
    const platform::Graphic* g = m_picture.GetGraphic();
    if (g && g->Kind() != GraphicKind::Bitmap)
        RebuildImage();
    update();
}

void TAngleImage::RebuildImage()
{
    if (m_rebuilding)
        return;
    m_rebuilding = true;
    try {
        const platform::Graphic* g = m_picture.GetGraphic();
        if (g && !g->Empty()) {
            const std::int64_t w = g->Width();
            const std::int64_t h = g->Height();
            m_diagonal = RoundToInt32(std::sqrt(static_cast<long double>(w * w + h * h)));
        } else {
            m_diagonal = 0;
        }
        PrepareSourceBitmap();
        UpdateRotatedBitmap();
        InvalidateCaches();
        if (AutoSize() && m_diagonal != 0)
            ApplyAutoSize();
    } catch (...) {
        m_rebuilding = false;
        throw;
    }
    m_rebuilding = false;
}

void TAngleImage::PrepareSourceBitmap()
{
    const platform::Graphic* g = m_picture.GetGraphic();
    if (!g || g->Empty()) {
        m_source.reset();
        return;
    }
    if (g->Kind() == GraphicKind::Bitmap) {
        // A copy of the pixels shares them with the picture until either is written.
        const auto& b = static_cast<const Bitmap&>(*g);
        m_source = std::make_shared<const Bitmap>(b);
        if (m_transparentColor != platform::clNone) {
            m_sourceTransparent = m_transparentColor;
        } else if (b.Format() == platform::PixelFormat::Bits1) {
            // A monochrome bitmap's transparent colour is white, whatever its corner pixel.
            m_sourceTransparent = platform::colorRef(255, 255, 255);
        } else {
            const QRgb p = b.Image().pixel(0, b.Height() - 1);
            m_sourceTransparent = platform::colorRef(qRed(p), qGreen(p), qBlue(p));
        }
        return;
    }
    auto copia = std::make_shared<Bitmap>(g->Width(), g->Height(), platform::PixelFormat::Bits32);
    platform::Canvas& canvas = copia->GetCanvas();
    canvas.brush.color = platform::toQColor(m_color);
    canvas.brush.style = platform::BrushStyle::Solid;
    canvas.FillRect(Rect{0, 0, g->Width(), g->Height()});
    canvas.Draw(0, 0, *g);
    m_source = std::move(copia);
    m_sourceTransparent = m_color;
}

void TAngleImage::UpdateRotatedBitmap()
{
    if (m_source) {
        m_rotated = RotateBitmap(*m_source, m_sourceTransparent, m_angle);
        ++m_renderCount;
    } else {
        m_rotated = Bitmap();
    }
    m_scaled = QImage();
    update();
}

void TAngleImage::InvalidateCaches()
{
    m_destValid = false;
    m_regionValid = false;
    m_scaled = QImage();
    update();
}

void TAngleImage::ApplyAutoSize()
{
    if (m_rotated.Empty() && m_diagonal == 0)
        return;
    int w = width();
    int h = height();
    if (CanAutoSize(w, h))
        resize(w, h);
}

QSize TAngleImage::ShownPictureSize() const
{
    if (m_uniqueSize && m_diagonal != 0)
        return QSize(m_diagonal, m_diagonal);
    return QSize(m_rotated.Width(), m_rotated.Height());
}

const platform::Graphic* TAngleImage::ShownGraphic() const { return m_rotated.Empty() ? nullptr : &m_rotated; }

Rect TAngleImage::DrawnRect() const { return const_cast<TAngleImage*>(this)->GetDestRect(); }

Rect TAngleImage::GetDestRect()
{
    if (!m_destValid) {
        m_destRect = CalcDestRect({m_center, m_stretch, m_proportional, m_uniqueSize}, m_diagonal,
                                  QSize(m_rotated.Width(), m_rotated.Height()), size());
        m_destValid = true;
    }
    return m_destRect;
}

QPolygon TAngleImage::CalcRotatedCorners(const QList<QPoint>& points) const
{
    // The outline follows the pixels: the source's centre pixel lands on the turned bitmap's centre
    // pixel, both taken at their middles. (Integer centres put an even-sized outline one pixel off,
    // which clips a column and a row of a small photo that is shown enlarged.)
    const int W = m_source->Width();
    const int H = m_source->Height();
    const GiroFixo g = CalcularGiro(m_angle, QSize(W, H));
    const long double theta = -g.a * std::numbers::pi_v<long double> / 180.0L;
    const long double c = std::cos(theta);
    const long double s = std::sin(theta);
    const long double fonteX = (W / 2) + 0.5L;
    const long double fonteY = (H - 1 - H / 2) + 0.5L;
    const long double destinoX = (g.tamanho.width() - 1 - g.cx) + 0.5L;
    const long double destinoY = g.cy + 0.5L;
    QPolygon out;
    for (const QPoint& p : points) {
        const long double dx = p.x() - fonteX;
        const long double dy = p.y() - fonteY;
        out << QPoint(RoundToInt32(dx * c - dy * s + destinoX), RoundToInt32(dx * s + dy * c + destinoY));
    }
    return out;
}

QPolygon TAngleImage::GetRotatedRegion()
{
    if (m_regionValid)
        return m_region;
    m_region.clear();
    if (m_source && !m_rotated.Empty()) {
        const int W = m_source->Width();
        const int H = m_source->Height();
        const QPolygon corners = CalcRotatedCorners({QPoint(0, 0), QPoint(W, 0), QPoint(W, H), QPoint(0, H)});
        const Rect d = GetDestRect();
        const float sx = float(d.Right - d.Left) / float(m_rotated.Width());
        const float sy = float(d.Bottom - d.Top) / float(m_rotated.Height());
        const float ox = float((x() + d.Left) - ((d.Right - d.Left) - m_rotated.Width() * sx) / 2);
        const float oy = float((y() + d.Top) - ((d.Bottom - d.Top) - m_rotated.Height() * sy) / 2);
        Point pts[4];
        for (int i = 0; i < 4; ++i)
            pts[i] = Point{corners[i].x(), corners[i].y()};
        RotatePoints(pts, 3, sx, 0, 0, sy, ox, oy);
        for (const Point& p : pts)
            m_region << QPoint(p.X, p.Y);
    }
    m_regionValid = true;
    return m_region;
}

platform::Canvas& TAngleImage::GetCanvas()
{
    if (!m_picture.GetGraphic())
        m_picture.SetGraphic(std::make_unique<Bitmap>(width(), height()));
    if (m_picture.GetGraphic()->Kind() != GraphicKind::Bitmap)
        throw Failure("Can only modify an image if it contains a bitmap");
    return m_picture.GetBitmap().GetCanvas();
}

void TAngleImage::paintEvent(QPaintEvent*)
{
    if (m_rotated.Empty())
        return;
    const QRect dest = toQRect(GetDestRect());
    if (dest.isEmpty())
        return;
    // A metafile or an icon is always see-through, whatever the control's option says.
    const platform::Graphic* g = m_picture.GetGraphic();
    const bool transparente =
        m_transparent || (g && (g->Kind() == GraphicKind::Metafile || g->Kind() == GraphicKind::Icon));
    if (m_scaled.isNull() || m_scaled.size() != dest.size()) {
        QImage fonte = m_rotated.Image();
        if (transparente) {
            // The transparent colour lets the background show through.
            const QRgb chave = platform::toRgb(m_sourceTransparent) | 0xFF000000u;
            fonte = fonte.convertToFormat(QImage::Format_ARGB32);
            for (int yy = 0; yy < fonte.height(); ++yy) {
                auto* linha = reinterpret_cast<QRgb*>(fonte.scanLine(yy));
                for (int xx = 0; xx < fonte.width(); ++xx)
                    if ((linha[xx] | 0xFF000000u) == chave)
                        linha[xx] = 0;
            }
        }
        m_scaled = platform::ScaleImage(fonte, fonte.rect(), dest.size());
    }
    QPainter painter(this);
    if (!transparente) {
        QRegion clip(GetRotatedRegion().translated(-pos()), Qt::OddEvenFill);
        painter.setClipRegion(clip.intersected(rect()));
    }
    painter.drawImage(dest.topLeft(), m_scaled);
}

void TAngleImage::resizeEvent(QResizeEvent* event)
{
    InvalidateCaches();
    QWidget::resizeEvent(event);
}

void TAngleImage::moveEvent(QMoveEvent* event)
{
    // The outline is kept in the parent's coordinates.
    m_regionValid = false;
    QWidget::moveEvent(event);
}

} // namespace lumoria
