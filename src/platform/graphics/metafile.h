#pragma once
// Windows metafiles: WMF through libwmf and EMF through libemf2svg, both turned into SVG and drawn with
// Qt Svg. The record structure is checked before either library sees the bytes, so that a file cut
// short or with records running past its end is refused with InvalidPicture.
#include "platform/graphics/graphic.h"

#include <QByteArray>

namespace lumoria::platform {

class Metafile final : public Graphic {
public:
    GraphicKind Kind() const override { return GraphicKind::Metafile; }
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    bool Transparent() const override { return true; }
    bool Enhanced() const { return m_enhanced; }
    std::unique_ptr<Graphic> Clone() const override { return std::make_unique<Metafile>(*this); }
    void Draw(Canvas& canvas, const QRect& dest) const override;

    void LoadFromData(const QByteArray& data) override;
    QByteArray SaveToData() const override { return m_data; }

    // The drawing as SVG.
    const QByteArray& Svg() const { return m_svg; }

private:
    QByteArray m_data;
    QByteArray m_svg;
    int m_width = 0;
    int m_height = 0;
    bool m_enhanced = false;
};

} // namespace lumoria::platform
