#pragma once
// Windows metafiles. WMF is drawn by our own player (libwmf's SVG output snaps colours to a table of
// named colours and shifts the geometry); EMF goes through libemf2svg to SVG, drawn with Qt Svg. The
// record structure is checked before anything is played, so that a file cut short or with records
// running past its end is refused with InvalidPicture.
#include "platform/graphics/graphic.h"

#include <QByteArray>
#include <QRectF>

#include <memory>

namespace lumoria::platform {

class WmfPlayer;

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

private:
    QByteArray m_data;
    std::shared_ptr<const WmfPlayer> m_wmf; // WMF
    QByteArray m_svg;                       // EMF, as SVG
    QRectF m_viewBox;                       // the SVG's device area
    int m_width = 0;
    int m_height = 0;
    bool m_enhanced = false;
};

} // namespace lumoria::platform
