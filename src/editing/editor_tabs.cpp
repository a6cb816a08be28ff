#include "editing/editor_tabs.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStackedWidget>

#include "platform/numeric.h"
#include "platform/ui/colors.h"

namespace lumoria {

EditorTabs::EditorTabs(QWidget* parent) : QWidget(parent), m_pages(new QStackedWidget(this))
{
    m_pages->setGeometry(0, kStripHeight, width(), std::max(0, height() - kStripHeight));
}

QWidget* EditorTabs::addPage()
{
    auto* p = new QWidget(m_pages);
    m_pages->addWidget(p);
    update();
    return p;
}

QWidget* EditorTabs::page(int index) const { return m_pages->widget(index); }
int EditorTabs::count() const { return m_pages->count(); }
int EditorTabs::currentIndex() const { return m_pages->currentIndex(); }

void EditorTabs::setCurrentIndexSilently(int index)
{
    m_pages->setCurrentIndex(index);
    update();
}

void EditorTabs::selectTab(int index)
{
    if (index < 0 || index >= count() || index == currentIndex() || !isEnabled())
        return;
    if (OnChanging)
        OnChanging(currentIndex());
    setCurrentIndexSilently(index);
    if (OnChange)
        OnChange(index);
}

QRect EditorTabs::tabRect(int index) const
{
    // The row starts 2 pixels in, so that the active tab can grow to the left as well. Inactive
    // tabs end one row above the page's edge, the active one on it.
    const QRect inactive(kActiveGrowth + index * kTabWidth, kActiveGrowth, kTabWidth, kTabHeight);
    if (index != currentIndex())
        return inactive;
    return inactive.adjusted(-kActiveGrowth, -kActiveGrowth, kActiveGrowth, 1);
}

QRect EditorTabs::faceRect(int index) const
{
    // Inside the white left and top edges and the two shadow columns on the right; the face's
    // extra row below covers the bottom edge row, and for the active tab the page's edge.
    return tabRect(index).adjusted(1, 1, -2, -1);
}

void DesenharFaceDaAba(QPainter& painter, const QRect& rect, const QFont& font, const QStringList& linhas)
{
    // $A4A0A0: red A0, green A0, blue A4.
    painter.fillRect(rect.adjusted(0, 0, 0, 1), QColor(0xA0, 0xA0, 0xA4));
    QFont f(font);
    f.setPointSize(8);
    f.setBold(false);
    painter.setFont(f);
    painter.setPen(Qt::black);
    const QFontMetrics m(f);
    const int altura = m.height();
    for (int i = 0; i < linhas.size() && i < 2; ++i) {
        const int esquerda = rect.left() + TruncToInt32((rect.width() - m.horizontalAdvance(linhas[i])) / 2.0L);
        const int topo = rect.top() + (i == 0 ? 1 : altura - 1);
        painter.drawText(QPoint(esquerda, topo + m.ascent()), linhas[i]);
    }
}

void EditorTabs::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(0, kStripHeight - 1, width(), 1, platform::toQColor(platform::clBtnHighlight));
    // The active tab last: it overlaps its neighbours.
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < count(); ++i) {
            if ((i == currentIndex()) != (pass == 1))
                continue;
            const QRect r = tabRect(i);
            painter.fillRect(r.left(), r.top() + 1, 1, r.height() - 1, platform::toQColor(platform::clBtnHighlight));
            painter.fillRect(r.left() + 1, r.top(), r.width() - 3, 1, platform::toQColor(platform::clBtnHighlight));
            painter.fillRect(r.right() - 1, r.top() + 1, 1, r.height() - 1, platform::toQColor(platform::clBtnShadow));
            painter.fillRect(r.right(), r.top() + 1, 1, r.height() - 1, platform::toQColor(platform::cl3DDkShadow));
            DesenharFaceDaAba(painter, faceRect(i), font(), TabLines ? TabLines(i) : QStringList());
        }
}

void EditorTabs::mousePressEvent(QMouseEvent* event)
{
    // The active tab overlaps its neighbours: it takes the clicks on its own outline first.
    const QPoint p = event->position().toPoint();
    if (currentIndex() >= 0 && tabRect(currentIndex()).contains(p))
        return;
    for (int i = 0; i < count(); ++i)
        if (tabRect(i).contains(p))
            selectTab(i);
}

void EditorTabs::resizeEvent(QResizeEvent* event)
{
    m_pages->setGeometry(0, kStripHeight, width(), std::max(0, height() - kStripHeight));
    QWidget::resizeEvent(event);
}

} // namespace lumoria
