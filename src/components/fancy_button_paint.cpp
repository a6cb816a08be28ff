// Painting of the shaped button. Everything is set pixel by pixel (text without antialiasing), so a
// given size, colour and state always gives the same pixels.
#include "components/fancy_button.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>

#include "components/fancy_shape.h"
#include "platform/numeric.h"
#include "platform/ui/font_configuration.h"

namespace lumoria {

using namespace platform;

namespace {

ColorRef AdjustColor(ColorRef colour, int delta) { return TFancyButton::AdjustColor(colour, delta); }

// The body, outline and hit shape over a rectangle; the capsule's corner follows the control's size.
PixelShape BodyShape(const TFancyEffect& effects, int l, int t, int r, int b, int w, int h)
{
    switch (effects.Shape()) {
    case btnCapsule: {
        const int m = std::min(w, h);
        return PixelShape::roundRect(l, t, r, b, m, m);
    }
    case btnOval:
        return PixelShape::ellipse(l, t, r, b);
    case btnRectangle:
        break;
    }
    const int corner = 2 * effects.CornerRadius();
    return PixelShape::roundRect(l, t, r, b, corner, corner);
}

void SetPixel(QImage& image, int x, int y, QRgb colour)
{
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        image.setPixel(x, y, colour);
}

// A pen line from one point toward another, the end point left out.
void Line(QImage& image, int x0, int y0, int x1, int y1, QRgb colour)
{
    const int dx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0;
    const int dy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
    for (int x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy)
        SetPixel(image, x, y, colour);
}

// Caption text with its accelerator marks resolved, as it shows.
QString ShownText(const QString& caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (++i >= caption.size())
                break;
        }
        shown += caption[i];
    }
    return shown;
}

// Single-line text centred across the rectangle, from its top.
void DrawCentred(QPainter& painter, const QRect& r, const QString& caption, ColorRef colour)
{
    const QFontMetrics metrics(painter.font());
    const int shown = metrics.horizontalAdvance(ShownText(caption));
    const int x = r.left() + Div(r.width() - shown, 2);
    painter.setPen(toQColor(colour));
    painter.drawText(QRect(x, r.top(), std::max(shown, 1) + metrics.maxWidth(), r.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
}

} // namespace

FancyFace TFancyButton::Face() const
{
    FancyFace f;
    f.m_size = size();
    f.m_enabled = isEnabled();
    f.m_font = font();
    f.m_font.setStyleStrategy(QFont::NoAntialias);
    f.m_effects = m_effects;
    f.m_glyphs = m_glyphs;
    f.m_color = m_color;
    f.m_fontColor = m_fontColor;
    f.m_caption = m_caption;
    f.m_pressed = m_pressed;
    f.m_inside = m_inside;
    f.m_state = m_state;
    f.m_cellWidth = m_cellWidth;
    f.m_glyphLeft = m_glyphLeft;
    f.m_glyphTop = m_glyphTop;
    f.m_glyphTransparent = m_glyphTransparent;
    f.m_captionLeft = m_captionLeft;
    f.m_captionTop = m_captionTop;
    return f;
}

void TFancyButton::Adopt(const FancyFace& face)
{
    m_state = face.m_state;
    m_cellWidth = face.m_cellWidth;
    m_glyphLeft = face.m_glyphLeft;
    m_glyphTop = face.m_glyphTop;
    m_glyphTransparent = face.m_glyphTransparent;
    m_captionLeft = face.m_captionLeft;
    m_captionTop = face.m_captionTop;
}

void TFancyButton::CalculateLayout()
{
    FancyFace face = Face();
    face.CalculateLayout();
    Adopt(face);
}

void TFancyButton::paintEvent(QPaintEvent*)
{
    FancyFace face = Face();
    QImage image;
    if (const std::shared_ptr<FancyFacesAhead> ahead = std::exchange(m_ahead, nullptr)) {
        ahead->Paint(m_aheadIndex);
        const FancyFace& painted = ahead->m_faces[m_aheadIndex];
        if (!ahead->m_images[m_aheadIndex].isNull() && painted.SameLook(face)) {
            face = painted;
            image = ahead->m_images[m_aheadIndex];
        }
    }
    if (image.isNull())
        image = face.Paint();
    Adopt(face);
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

std::shared_ptr<FancyFacesAhead> FancyFacesAhead::For(const std::vector<TFancyButton*>& buttons)
{
    auto ahead = std::make_shared<FancyFacesAhead>();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        FancyFace face = buttons[i]->Face();
        face.m_font = FontOfItsOwn(face.m_font);
        ahead->m_faces.push_back(std::move(face));
        buttons[i]->m_ahead = ahead;
        buttons[i]->m_aheadIndex = i;
    }
    ahead->m_images.resize(buttons.size());
    ahead->m_painted = std::make_unique<std::once_flag[]>(buttons.size());
    return ahead;
}

void FancyFacesAhead::Paint()
{
    for (std::size_t i = 0; i < m_faces.size(); ++i)
        Paint(i);
}

void FancyFacesAhead::Paint(std::size_t i)
{
    std::call_once(m_painted[i], [this, i] {
        try {
            m_images[i] = m_faces[i].Paint();
        } catch (...) {
            // A face not painted is painted by its button.
        }
    });
}

bool FancyFace::SameLook(const FancyFace& o) const
{
    return m_size == o.m_size && m_enabled == o.m_enabled && m_font == o.m_font && m_effects == o.m_effects
           && m_glyphs == o.m_glyphs && m_color == o.m_color && m_fontColor == o.m_fontColor && m_caption == o.m_caption
           && m_pressed == o.m_pressed && m_inside == o.m_inside && m_state == o.m_state;
}

QImage FancyFace::Paint()
{
    QImage image(m_size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    m_cellWidth = Div(m_glyphs.Glyph().width(), m_glyphs.Number());
    if (m_effects.FrameStyle() == fmGradient) {
        PaintBody(image);
        PaintGradientFrame(image);
        PaintInnerEdge(image);
    }
    CalculateLayout();
    if (m_cellWidth > 0)
        PaintGlyph(image);
    PaintCaption(image);
    return image;
}

void FancyFace::PaintBody(QImage& image)
{
    const int w = m_size.width();
    const int h = m_size.height();
    const QRgb brush = toRgb(m_pressed ? AdjustColor(m_color, -65) : m_color);
    const QRgb pen = toRgb(m_pressed ? AdjustColor(m_color, -5) : m_color);
    const PixelShape body = BodyShape(m_effects, 0, 0, w - 1, h - 1, w, h);
    body.fill(image, brush);
    body.outline(image, pen);
}

void FancyFace::PaintGradientFrame(QImage& image)
{
    const int w = m_size.width();
    const int h = m_size.height();
    const ColorRef baseColor = !m_pressed && m_inside ? AdjustColor(m_color, 10) : m_color;
    const QRgb base = toRgb(baseColor);
    const QRgb dark = toRgb(AdjustColor(baseColor, -80));
    const int fw = m_effects.FrameWidth();
    const int shift = m_pressed ? 2 : 0;
    int d = 0;
    if (m_effects.Shape() == btnCapsule)
        d = std::min(w, h);
    else if (m_effects.Shape() == btnRectangle)
        d = 2 * m_effects.CornerRadius();

    for (int i = 0; i < fw; ++i) {
        if (m_pressed && i > Div(fw, 3))
            break;
        const long double k =
            std::sqrt(static_cast<long double>(fw * fw - (fw - i) * (fw - i))) / static_cast<long double>(fw);
        const auto channel = [k](int darkChannel, int baseChannel) {
            return darkChannel + static_cast<int>(Round((baseChannel - darkChannel) * k));
        };
        const QRgb fill = qRgb(channel(qRed(dark), qRed(base)), channel(qGreen(dark), qGreen(base)),
                               channel(qBlue(dark), qBlue(base)));
        const int l = i + 1 + shift;
        const int t = i + 1 + shift;
        const int r = w - i + shift - 1;
        const int b = h - i + shift - 1;
        if (m_effects.Shape() == btnOval)
            PixelShape::ellipse(l, t, r, b).fill(image, fill);
        else if (d - 2 * i > 0)
            PixelShape::roundRect(l, t, r, b, d - 2 * i, d - 2 * i).fill(image, fill);
        else
            PixelShape::rect(l, t, r, b).fill(image, fill);
    }
}

void FancyFace::PaintInnerEdge(QImage& image)
{
    const int w = m_size.width();
    const int h = m_size.height();
    const QRgb pen = toRgb(AdjustColor(m_color, m_pressed ? -10 : -15));
    int rx = m_effects.CornerRadius();
    int ry = rx;
    if (m_effects.Shape() == btnOval) {
        rx = Div(w, 2);
        ry = Div(h, 2);
    } else if (m_effects.Shape() == btnCapsule) {
        rx = ry = Div(std::min(w, h), 2);
    }
    // The top-left quarter of the ellipse within (2, 2, 2rx+2, 2ry+2).
    const PixelShape arc = PixelShape::ellipse(2, 2, 2 * rx + 2, 2 * ry + 2);
    for (int y = 2; y <= ry + 1; ++y)
        for (int x = 2; x <= rx + 1; ++x)
            if (arc.onOutline(x, y))
                SetPixel(image, x, y, pen);
    Line(image, 2, ry + 1, 2, h - ry - 1, pen);
    Line(image, rx + 1, 2, w - rx - 1, 2, pen);
}

void FancyFace::CalculateLayout()
{
    const int w = m_size.width();
    const int h = m_size.height();
    const int cw = Div(m_glyphs.Glyph().width(), m_glyphs.Number());
    const int gh = m_glyphs.Glyph().height();
    const QFontMetrics metrics(m_font);
    const int tw = metrics.horizontalAdvance(m_caption);
    const int th = metrics.height();
    const int dst = m_glyphs.Distance();

    const int across = cw + dst + tw < w ? Div(w - cw - dst - tw, 2) : 0;
    const int down = gh + dst + th < h ? Div(h - gh - dst - th, 2) : 0;
    const int middleLeft = cw < w ? Div(w - cw, 2) : 0;
    switch (m_glyphs.Layout()) {
    case lyLeft:
        m_glyphLeft = across;
        m_glyphTop = h > gh ? Div(h - gh, 2) - 1 : 0;
        m_captionLeft = m_glyphLeft + cw + dst;
        m_captionTop = Div(h - th, 2) - 1;
        break;
    case lyRight:
        m_glyphLeft = w - across - cw;
        m_glyphTop = h > gh ? Div(h - gh, 2) - 1 : 0;
        m_captionLeft = m_glyphLeft - tw - dst;
        m_captionTop = Div(h - th, 2) - 1;
        break;
    case lyTop:
        m_glyphLeft = middleLeft;
        m_glyphTop = gh + dst + th < h ? down - 1 : 0;
        m_captionLeft = Div(w - tw, 2);
        m_captionTop = m_glyphTop + gh + dst;
        break;
    case lyBottom:
        m_glyphLeft = middleLeft;
        m_glyphTop = h - down - gh;
        m_captionLeft = Div(w - tw, 2);
        m_captionTop = m_glyphTop - dst - th;
        break;
    case lyCenter:
        m_glyphLeft = middleLeft;
        m_glyphTop = h > gh ? Div(h - gh, 2) : 0;
        m_captionLeft = Div(w - tw, 2);
        m_captionTop = Div(h - th, 2);
        break;
    }
}

void FancyFace::PaintGlyph(QImage& image)
{
    const QImage& strip = m_glyphs.Glyph();
    const int cw = m_cellWidth;
    const int gh = strip.height();
    const int shift = m_pressed ? 1 : 0;
    const int left = m_glyphLeft + shift;
    const int top = m_glyphTop + shift;
    if (m_state > m_glyphs.Number())
        m_state = TFancyButton::StateUp;
    const int cell = m_state - 1;
    const int sourceLeft = cell * cw;
    const QRgb cellTransparent = strip.pixel(sourceLeft, gh - 1);

    // Silhouettes: the cell's opaque pixels in a flat colour, one up-left and one down-right.
    ColorRef first = clNone, second = clNone;
    if (m_pressed) {
        first = AdjustColor(m_color, -50);
        second = AdjustColor(m_color, 20);
    } else if (m_glyphs.GlyphStyle() == gsRaised) {
        first = AdjustColor(m_color, 20);
        second = AdjustColor(m_color, -50);
    } else if (m_glyphs.GlyphStyle() == gsLowered) {
        first = AdjustColor(m_color, -30);
        second = AdjustColor(m_color, 25);
    }
    const auto silhouette = [&](ColorRef flat, int dx, int dy) {
        const QRgb colour = toRgb(flat);
        if (colour == cellTransparent)
            return;
        for (int y = 0; y < gh; ++y)
            for (int x = 0; x < cw; ++x)
                if (strip.pixel(sourceLeft + x, y) != cellTransparent)
                    SetPixel(image, left + dx + x, top + dy + y, colour);
    };
    if (first != clNone) {
        silhouette(first, -1, -1);
        silhouette(second, 1, 1);
    }

    const QRgb stripTransparent = strip.pixel(0, gh - 1);
    for (int y = 0; y < gh; ++y)
        for (int x = 0; x < cw; ++x) {
            const QRgb pixel = strip.pixel(sourceLeft + x, y);
            if (pixel != stripTransparent)
                SetPixel(image, left + x, top + y, pixel);
        }
    m_glyphTransparent = colorRef(qRed(stripTransparent), qGreen(stripTransparent), qBlue(stripTransparent));
}

void FancyFace::PaintCaption(QImage& image)
{
    QPainter painter(&image);
    painter.setFont(m_font);
    const QFontMetrics metrics(painter.font());
    const ColorRef main = m_inside && !m_pressed ? m_effects.HoverColor() : m_fontColor;
    const QRect text(m_captionLeft, m_captionTop, metrics.horizontalAdvance(m_caption), metrics.height());

    const TTextStyle style = m_effects.TextStyle();
    if (style != txPlain) {
        QPoint offset;
        ColorRef copy = AdjustColor(m_color, 25);
        switch (style) {
        case txLowered:
            offset = m_pressed ? QPoint(2, 2) : QPoint(1, 1);
            break;
        case txRaised:
            offset = m_pressed ? QPoint(0, 0) : QPoint(-1, -1);
            break;
        case txShadowed:
            copy = AdjustColor(m_color, -50);
            offset = m_pressed ? QPoint(3, 3) : QPoint(2, 2);
            break;
        case txPlain:
            break;
        }
        DrawCentred(painter, text.translated(offset), m_caption, copy);
    }
    ColorRef colour = main;
    if (!m_enabled)
        colour = style == txShadowed ? clBtnFace : clBtnShadow;
    DrawCentred(painter, m_pressed ? text.translated(1, 1) : text, m_caption, colour);
}

} // namespace lumoria
