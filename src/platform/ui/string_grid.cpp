#include "platform/ui/string_grid.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace lumoria::platform {

StringGrid::StringGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void StringGrid::setSize(int columns, int rows)
{
    m_columns = std::max(0, columns);
    m_rows = std::max(0, rows);
    m_cells = QVector<QString>(qsizetype{m_columns} * m_rows);
    m_fixedRows = std::min(m_fixedRows, m_rows);
    updateScrollBars();
    viewport()->update();
}

void StringGrid::setFixedRows(int rows)
{
    m_fixedRows = std::clamp(rows, 0, m_rows);
    updateScrollBars();
    viewport()->update();
}

void StringGrid::setDefaultColumnWidth(int width)
{
    m_columnWidth = std::max(0, width);
    updateScrollBars();
    viewport()->update();
}

void StringGrid::setDefaultRowHeight(int height)
{
    m_rowHeight = std::max(0, height);
    updateScrollBars();
    viewport()->update();
}

QString StringGrid::cell(int column, int row) const
{
    if (column < 0 || column >= m_columns || row < 0 || row >= m_rows)
        return QString();
    return m_cells.at(qsizetype{row} * m_columns + column);
}

void StringGrid::setCell(int column, int row, const QString& text)
{
    if (column < 0 || column >= m_columns || row < 0 || row >= m_rows)
        return;
    m_cells[qsizetype{row} * m_columns + column] = text;
    viewport()->update();
}

void StringGrid::setColor(const QColor& color)
{
    m_color = color;
    viewport()->update();
}

Rect StringGrid::cellRect(int column, int row) const
{
    const int pitchX = m_columnWidth + m_lineWidth;
    const int pitchY = m_rowHeight + m_lineWidth;
    const int left = column * pitchX - horizontalScrollBar()->value();
    int top = row * pitchY;
    if (row >= m_fixedRows)
        top -= verticalScrollBar()->value() * pitchY;
    return Rect{left, top, left + m_columnWidth, top + m_rowHeight};
}

void StringGrid::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), m_color);
    if (!m_drawCell)
        return;
    const int pitchY = m_rowHeight + m_lineWidth;
    const int fixedBottom = m_fixedRows * pitchY;
    const auto drawRow = [&](int row) {
        for (int column = 0; column < m_columns; ++column) {
            const Rect r = cellRect(column, row);
            if (r.Right <= 0 || r.Left >= viewport()->width())
                continue;
            painter.save();
            painter.setClipRect(toQRect(r));
            m_drawCell(column, row, r, painter);
            painter.restore();
        }
    };
    // The scrolled rows first, kept out of the fixed rows' band.
    painter.save();
    painter.setClipRect(QRect(0, fixedBottom, viewport()->width(), std::max(0, viewport()->height() - fixedBottom)));
    for (int row = m_fixedRows; row < m_rows; ++row) {
        const Rect r = cellRect(0, row);
        if (r.Bottom <= fixedBottom)
            continue;
        if (r.Top >= viewport()->height())
            break;
        drawRow(row);
    }
    painter.restore();
    for (int row = 0; row < m_fixedRows; ++row)
        drawRow(row);
}

void StringGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void StringGrid::scrollContentsBy(int, int) { viewport()->update(); }

void StringGrid::updateScrollBars()
{
    const int pitchX = m_columnWidth + m_lineWidth;
    const int pitchY = m_rowHeight + m_lineWidth;
    const int width = m_columns * pitchX;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(pitchX);
    // Rows scroll a whole row at a time, below the fixed ones.
    const int scrolledRows = m_rows - m_fixedRows;
    const int visibleRows = std::max(1, (viewport()->height() - m_fixedRows * pitchY) / std::max(1, pitchY));
    verticalScrollBar()->setRange(0, std::max(0, scrolledRows - visibleRows));
    verticalScrollBar()->setPageStep(visibleRows);
    verticalScrollBar()->setSingleStep(1);
}

} // namespace lumoria::platform
