#pragma once
// A plain picture control that stretches its picture over its whole rectangle, as the editors' layers
// are. The scaled picture is kept between paints; call Changed() after drawing on the picture's
// pixels. Presses, moves and releases reach the owner as signals in control coordinates.
#include "editing/pointer_relay.h"
#include "platform/graphics/picture.h"

namespace lumoria {

class PictureLayer : public PointerRelay {
    Q_OBJECT
public:
    explicit PictureLayer(QWidget* parent = nullptr);

    platform::Picture& Picture() { return m_picture; }
    const platform::Picture& Picture() const { return m_picture; }
    // The pixels (or the graphic) changed: the next paint scales them again.
    void Changed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    platform::Picture m_picture;
    QImage m_scaled;
    bool m_scaledValid = false;
};

} // namespace lumoria
