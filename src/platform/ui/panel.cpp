#include "platform/ui/panel.h"

namespace lumoria::platform {

Panel::Panel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(false);
}

void Panel::setColor(ColorRef color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(color));
    setPalette(p);
}

QColor Panel::color() const { return palette().color(QPalette::Window); }

void Panel::setParentBackground(bool on) { setAutoFillBackground(!on); }

} // namespace lumoria::platform
