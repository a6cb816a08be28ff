#pragma once
// A control that its owner paints: the owner's paint handler draws on a canvas of the whole control,
// and the mouse reaches the owner as signals in control coordinates. With a circle colour set, a
// filled circle outlined in white fills the control under the owner's drawing, as a shape placed
// beneath it would.
#include <functional>
#include <optional>

#include "editing/pointer_relay.h"
#include "platform/ui/colors.h"

namespace lumoria {

namespace platform {
class Canvas;
}

class PaintBox : public PointerRelay {
    Q_OBJECT
public:
    explicit PaintBox(QWidget* parent = nullptr);

    std::function<void(platform::Canvas&)> OnPaint;
    std::optional<platform::ColorRef> CircleColor;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace lumoria
