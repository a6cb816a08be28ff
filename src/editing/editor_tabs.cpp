#include "editing/editor_tabs.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStackedWidget>

#include "platform/numeric.h"

namespace lumoria {

EditorTabs::EditorTabs(QWidget* parent) : QWidget(parent), m_pages(new QStackedWidget(this))
{
    m_pages->setGeometry(0, kTabHeight, width(), std::max(0, height() - kTabHeight));
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

QRect EditorTabs::tabRect(int index) const { return QRect(index * kTabWidth, 0, kTabWidth, kTabHeight); }

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
    for (int i = 0; i < count(); ++i)
        DesenharFaceDaAba(painter, tabRect(i), font(), TabLines ? TabLines(i) : QStringList());
}

void EditorTabs::mousePressEvent(QMouseEvent* event)
{
    for (int i = 0; i < count(); ++i)
        if (tabRect(i).contains(event->position().toPoint()))
            selectTab(i);
}

void EditorTabs::resizeEvent(QResizeEvent* event)
{
    m_pages->setGeometry(0, kTabHeight, width(), std::max(0, height() - kTabHeight));
    QWidget::resizeEvent(event);
}

} // namespace lumoria
