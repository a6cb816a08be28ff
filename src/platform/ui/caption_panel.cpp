#include "platform/ui/caption_panel.h"

#include <QPainter>

namespace lumoria::platform {

CaptionPanel::CaptionPanel(QWidget* parent, const QString& caption) : Panel(parent), m_caption(caption) {}

void CaptionPanel::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void CaptionPanel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void CaptionPanel::setFontColor(ColorRef color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, toQColor(color));
    setPalette(p);
}

QColor CaptionPanel::fontColor() const { return palette().color(QPalette::WindowText); }

void CaptionPanel::paintEvent(QPaintEvent* event)
{
    Panel::paintEvent(event);
    if (m_caption.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(fontColor());
    painter.drawText(contentsRect(), int(m_alignment) | Qt::TextSingleLine, m_caption);
}

} // namespace lumoria::platform
