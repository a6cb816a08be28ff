#pragma once
// Icons (.ico): the largest image of the file, with its transparency, drawn like a picture.
#include "platform/graphics/graphic.h"

#include <QImage>

namespace lumoria::platform {

class IconImage final : public Graphic {
public:
    GraphicKind Kind() const override { return GraphicKind::Icon; }
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    bool Transparent() const override { return true; }
    std::unique_ptr<Graphic> Clone() const override { return std::make_unique<IconImage>(*this); }
    void Draw(Canvas& canvas, const QRect& dest) const override;

    void LoadFromData(const QByteArray& data) override;
    QByteArray SaveToData() const override { return m_data; }

    const QImage& Image() const { return m_image; }

private:
    QByteArray m_data;
    QImage m_image;
};

} // namespace lumoria::platform
