#include "components/fancy_button.h"

namespace lumoria {

void TFancyEffect::Changed()
{
    if (OnEffectChange)
        OnEffectChange(this);
}

void TFancyEffect::SetShape(TBtnShape value)
{
    m_shape = value;
    Changed();
}

void TFancyEffect::SetCornerRadius(std::int32_t value)
{
    m_cornerRadius = value < 0 ? 0 : value > 145 ? 145 : value;
    Changed();
}

void TFancyEffect::SetFrameWidth(std::int32_t value)
{
    m_frameWidth = value < 3 ? 3 : value > 14 ? 14 : value;
    Changed();
}

void TFancyEffect::SetHoverColor(platform::ColorRef value)
{
    m_hoverColor = value;
    Changed();
}

void TFancyEffect::SetTextStyle(TTextStyle value)
{
    m_textStyle = value;
    Changed();
}

void TFancyEffect::SetFrameStyle(TFrameStyle value)
{
    m_frameStyle = value;
    Changed();
}

void TFancyGlyph::Changed()
{
    if (OnGlyphChange)
        OnGlyphChange(this);
}

void TFancyGlyph::SetGlyph(const QImage& value)
{
    // Our own copy in one format, so that pixel reads compare like with like.
    m_glyph = value.isNull() ? QImage() : value.convertToFormat(QImage::Format_RGB32);
    Changed();
}

void TFancyGlyph::SetLayout(TBmpLayout value)
{
    m_layout = value;
    Changed();
}

void TFancyGlyph::SetNumber(std::uint8_t value)
{
    m_number = value == 0 ? 1 : value > 4 ? 4 : value;
    Changed();
}

void TFancyGlyph::SetDistance(std::int32_t value)
{
    m_distance = value < 1 ? 0 : value;
    Changed();
}

void TFancyGlyph::SetGlyphStyle(TGlyphStyle value)
{
    m_glyphStyle = value;
    Changed();
}

bool TFancyEffect::operator==(const TFancyEffect& o) const
{
    return m_shape == o.m_shape && m_cornerRadius == o.m_cornerRadius && m_frameWidth == o.m_frameWidth
           && m_hoverColor == o.m_hoverColor && m_textStyle == o.m_textStyle && m_frameStyle == o.m_frameStyle;
}

bool TFancyGlyph::operator==(const TFancyGlyph& o) const
{
    return m_glyph == o.m_glyph && m_layout == o.m_layout && m_number == o.m_number && m_distance == o.m_distance
           && m_glyphStyle == o.m_glyphStyle;
}

} // namespace lumoria
