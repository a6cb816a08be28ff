#pragma once
// A grid of texts whose cells its owner draws, with fixed rows at the top that stay in place while
// the rest scrolls. Columns have one default width and rows one default height; a line of the grid's
// line width separates cells, showing the grid's colour.
#include <QAbstractScrollArea>
#include <QString>
#include <QVector>

#include <functional>

#include "platform/rect.h"

class QPainter;

namespace lumoria::platform {

class StringGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Draws one cell (column, row) in its rectangle, in viewport coordinates.
    using DrawCellHandler = std::function<void(int column, int row, const Rect& rect, QPainter& painter)>;

    explicit StringGrid(QWidget* parent = nullptr);

    void setSize(int columns, int rows);
    int columnCount() const { return m_columns; }
    int rowCount() const { return m_rows; }
    void setFixedRows(int rows);
    int fixedRows() const { return m_fixedRows; }
    void setDefaultColumnWidth(int width);
    int defaultColumnWidth() const { return m_columnWidth; }
    void setDefaultRowHeight(int height);
    int defaultRowHeight() const { return m_rowHeight; }
    int gridLineWidth() const { return m_lineWidth; }

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);

    // The grid's own colour, shown between cells and where no cell is.
    void setColor(const QColor& color);
    QColor color() const { return m_color; }

    void setDrawCellHandler(DrawCellHandler handler) { m_drawCell = std::move(handler); }

    // The cell's rectangle in viewport coordinates as the grid is scrolled now (it may lie outside).
    Rect cellRect(int column, int row) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateScrollBars();

    int m_columns = 0;
    int m_rows = 0;
    int m_fixedRows = 0;
    int m_columnWidth = 64;
    int m_rowHeight = 24;
    int m_lineWidth = 1;
    QColor m_color = Qt::white;
    QVector<QString> m_cells;
    DrawCellHandler m_drawCell;
};

} // namespace lumoria::platform
