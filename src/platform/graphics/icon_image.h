#pragma once
// Icons (.ico): the largest image of the file, with its transparency, drawn like a picture.
#include "platform/graphics/raster_graphic.h"

namespace lumoria::platform {

class IconImage final : public RasterGraphic {
public:
    GraphicKind Kind() const override { return GraphicKind::Icon; }
    bool Transparent() const override { return true; }
    std::unique_ptr<Graphic> Clone() const override { return std::make_unique<IconImage>(*this); }
    void LoadFromData(const QByteArray& data) override;
};

} // namespace lumoria::platform
