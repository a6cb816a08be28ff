// The cells of the thumbnail list: colour, caption, the picture fitted and centred, focus.
#include "components/thumbnail_list.h"

#include <QAbstractItemDelegate>
#include <QPainter>

#include "platform/graphics/canvas.h"
#include "platform/numeric.h"

namespace lumoria {

using namespace platform;

namespace {

constexpr int kMargem = 2;

class Celula : public QAbstractItemDelegate {
public:
    explicit Celula(TThumbnailList* list) : QAbstractItemDelegate(list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        Canvas canvas(*painter, fromQRect(m_list->viewport()->rect()));
        m_list->DrawItem(index.row(), fromQRect(option.rect), option.state & QStyle::State_Selected,
                         option.state & QStyle::State_HasFocus, canvas);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return m_list->gridSize();
    }

private:
    TThumbnailList* m_list;
};

} // namespace

void TThumbnailList::InstallDelegate()
{
    setItemDelegate(new Celula(this));
}

void TThumbnailList::DrawItem(int index, const Rect& rect, bool selected, bool focused, Canvas& canvas)
{
    const bool destaque = selected && m_showSelection;
    const QColor fundo = toQColor(destaque ? clHighlight : m_color);
    const QColor corDoTexto = destaque ? toQColor(clHighlightText) : palette().color(QPalette::Text);
    canvas.brush.color = fundo;
    canvas.brush.style = BrushStyle::Solid;
    canvas.pen.color = fundo;
    canvas.pen.width = 2;
    canvas.pen.style = PenStyle::Solid;
    canvas.Rectangle(rect);

    Rect r{rect.Left + kMargem, rect.Top + kMargem, rect.Right - kMargem, rect.Bottom - kMargem};
    if (index >= 0 && index < m_thumbnails->Count()) {
        TThumbnail* item = m_thumbnails->GetItem(index);
        if (m_showCaption) {
            const QFontMetrics medidas(font());
            const QRect area = toQRect(r);
            const QString texto = medidas.elidedText(item->Caption(), Qt::ElideRight, std::max(0, area.width()));
            canvas.Paint([&](QPainter& p) {
                p.setFont(font());
                p.setPen(corDoTexto);
                p.drawText(area, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, texto);
            });
            r.Bottom -= medidas.height();
        }
        const int cw = r.Right - r.Left;
        const int ch = r.Bottom - r.Top;
        TIPicture& figura = item->Picture();

        // The picture is read on a worker when its cell is first painted, and again when the cell
        // has grown past the copy made for it.
        if (m_buffered && item->Source == tsFile && !item->Filename().isEmpty() && cw >= 1 && ch >= 1) {
            if (item->m_loading == TThumbnail::Loading::None && figura.Empty()) {
                RequestPicture(index, QSize(cw, ch));
            } else if (item->m_loading == TThumbnail::Loading::Done && !figura.Reduced().isNull()) {
                const QSize alvo = FitThumbnail(figura.PictureWidth(), figura.PictureHeight(), cw, ch);
                if (alvo.width() > figura.Reduced().width() || alvo.height() > figura.Reduced().height())
                    RequestPicture(index, QSize(cw, ch));
            }
        }

        if (cw >= 1 && ch >= 1) {
            const QSize alvo = FitThumbnail(figura.PictureWidth(), figura.PictureHeight(), cw, ch);
            if (!alvo.isEmpty()) {
                const int left = r.Left + Div(cw - alvo.width(), 2);
                const int top = r.Top + Div(ch - alvo.height(), 2);
                figura.Draw(canvas, Rect{left, top, left + alvo.width(), top + alvo.height()});
            }
        }
    }

    if (focused) {
        canvas.Paint([&](QPainter& p) {
            QPen caneta(Qt::white, 1, Qt::DotLine);
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            p.setPen(caneta);
            p.setBrush(Qt::NoBrush);
            p.drawRect(toQRect(rect).adjusted(0, 0, -1, -1));
        });
    }
}

} // namespace lumoria
