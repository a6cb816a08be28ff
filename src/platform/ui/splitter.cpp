#include "platform/ui/splitter.h"

#include <QMouseEvent>

#include <algorithm>

namespace lumoria::platform {

Splitter::Splitter(QWidget* resized, QWidget* rest, QWidget* parent)
    : QWidget(parent), m_resized(resized), m_rest(rest)
{
    setCursor(Qt::SplitVCursor);
}

void Splitter::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_resized)
        return;
    m_dragging = true;
    m_startY = event->globalPosition().toPoint().y();
    m_startHeight = m_resized->height();
    m_startRest = m_rest ? m_rest->height() : 0;
}

void Splitter::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    const int delta = event->globalPosition().toPoint().y() - m_startY;
    const int largest = m_rest ? m_startHeight + m_startRest - m_minSize : m_startHeight + delta;
    const int height = std::max(m_minSize, std::min(m_startHeight + delta, largest));
    if (height != m_resized->height())
        m_resized->resize(m_resized->width(), height);
}

void Splitter::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
}

} // namespace lumoria::platform
