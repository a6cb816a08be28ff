#include "platform/ui/status_bar.h"

#include <QPainter>

#include "platform/failure.h"
#include "platform/graphics/canvas.h"
#include "platform/ui/colors.h"

namespace lumoria::platform {

namespace {
constexpr int kTextMargin = 2;
}

StatusBar::StatusBar(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(kDefaultHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

const StatusBar::PanelData& StatusBar::at(int index) const
{
    if (index < 0 || index >= panelCount())
        throw ListIndexError(index);
    return m_panels[index];
}

int StatusBar::addPanel(int width, Qt::Alignment alignment, bool ownerDrawn)
{
    m_panels.append({width, alignment, ownerDrawn, QString()});
    update();
    return panelCount() - 1;
}

int StatusBar::panelWidth(int index) const { return at(index).width; }
bool StatusBar::panelOwnerDrawn(int index) const { return at(index).ownerDrawn; }
QString StatusBar::panelText(int index) const { return at(index).text; }

void StatusBar::setPanelText(int index, const QString& text)
{
    at(index);
    if (m_panels[index].text == text)
        return;
    m_panels[index].text = text;
    update(toQRect(panelRect(index)));
}

Rect StatusBar::panelRect(int index) const
{
    at(index);
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += m_panels[i].width;
    return Rect{left, 0, left + m_panels[index].width, height()};
}

void StatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(clBtnFace));
    painter.setPen(Qt::black);
    painter.setFont(font());
    for (int i = 0; i < panelCount(); ++i) {
        const Rect r = panelRect(i);
        if (m_panels[i].ownerDrawn) {
            if (m_drawPanel) {
                painter.save();
                // The canvas starts with the bar's font and colour, as the handler finds them.
                Canvas canvas(painter, Rect{0, 0, width(), height()});
                canvas.font.name = font().family();
                canvas.font.size = font().pointSize();
                canvas.font.bold = font().bold();
                canvas.font.color = Qt::black;
                canvas.brush.color = toQColor(clBtnFace);
                m_drawPanel(i, canvas, r);
                painter.restore();
            }
            continue;
        }
        const QRect textRect = toQRect(r).adjusted(kTextMargin, 0, -kTextMargin, 0);
        painter.drawText(textRect, int(m_panels[i].alignment | Qt::AlignVCenter) | Qt::TextSingleLine,
                         m_panels[i].text);
    }
}

} // namespace lumoria::platform
