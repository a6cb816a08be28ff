#include "platform/ui/align_layout.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace lumoria::platform {

namespace {
constexpr Align kOrder[] = {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client};

bool isVertical(Align a) { return a == Align::Top || a == Align::Bottom; }
} // namespace

AlignLayout::AlignLayout(QWidget* parent) : QLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
    setSizeConstraint(QLayout::SetNoConstraint);
}

AlignLayout::~AlignLayout()
{
    for (const Entry& e : std::as_const(m_entries))
        delete e.item;
}

void AlignLayout::addWidget(QWidget* widget, Align align, bool followContent)
{
    addChildWidget(widget);
    m_entries.append({new QWidgetItem(widget), align, followContent});
    widget->installEventFilter(this);
    invalidate();
}

void AlignLayout::addItem(QLayoutItem* item)
{
    m_entries.append({item, Align::None, false});
    if (QWidget* w = item->widget())
        w->installEventFilter(this);
    invalidate();
}

void AlignLayout::setAlign(QWidget* widget, Align align)
{
    for (Entry& e : m_entries)
        if (e.item->widget() == widget) {
            e.align = align;
            invalidate();
            return;
        }
}

Align AlignLayout::alignOf(const QWidget* widget) const
{
    for (const Entry& e : m_entries)
        if (e.item->widget() == widget)
            return e.align;
    return Align::None;
}

void AlignLayout::setAutoSize(bool on)
{
    m_autoSize = on;
    invalidate();
}

QLayoutItem* AlignLayout::itemAt(int index) const
{
    return index >= 0 && index < m_entries.size() ? m_entries[index].item : nullptr;
}

QLayoutItem* AlignLayout::takeAt(int index)
{
    if (index < 0 || index >= m_entries.size())
        return nullptr;
    QLayoutItem* item = m_entries.takeAt(index).item;
    if (QWidget* w = item->widget())
        w->removeEventFilter(this);
    invalidate();
    return item;
}

int AlignLayout::count() const { return int(m_entries.size()); }

// Height of a top or bottom control at the given width, width of a left or right one.
int AlignLayout::extentOf(const Entry& e, int available) const
{
    QWidget* w = e.item->widget();
    if (isVertical(e.align)) {
        if (e.followContent)
            return e.item->hasHeightForWidth() ? e.item->heightForWidth(available) : e.item->sizeHint().height();
        return w ? w->height() : e.item->sizeHint().height();
    }
    if (e.followContent || !w)
        return e.item->sizeHint().width();
    return w->width();
}

int AlignLayout::contentHeight(int width) const
{
    int stacked = 0;
    int side = 0;
    for (const Entry& e : m_entries) {
        if (e.item->isEmpty() || e.align == Align::None)
            continue;
        if (isVertical(e.align))
            stacked += extentOf(e, width);
        else if (QWidget* w = e.item->widget())
            side = std::max(side, e.followContent ? e.item->sizeHint().height() : w->height());
    }
    return stacked + side;
}

QSize AlignLayout::sizeHint() const
{
    int width = 0;
    int sideWidth = 0;
    for (const Entry& e : m_entries) {
        if (e.item->isEmpty() || e.align == Align::None)
            continue;
        QWidget* w = e.item->widget();
        const int own = w ? w->width() : e.item->sizeHint().width();
        if (isVertical(e.align))
            width = std::max(width, own);
        else
            sideWidth += e.align == Align::Client ? own : extentOf(e, 0);
    }
    width = std::max(width, sideWidth);
    QWidget* parent = parentWidget();
    const int at = parent && parent->width() > 0 ? parent->width() : width;
    return {width, contentHeight(at)};
}

QSize AlignLayout::minimumSize() const { return {0, 0}; }

Qt::Orientations AlignLayout::expandingDirections() const { return Qt::Horizontal | Qt::Vertical; }

bool AlignLayout::hasHeightForWidth() const { return m_autoSize; }

int AlignLayout::heightForWidth(int width) const { return contentHeight(width); }

void AlignLayout::place(const QRect& whole)
{
    QRect rest = whole;
    for (Align pass : kOrder) {
        for (const Entry& e : std::as_const(m_entries)) {
            if (e.align != pass || e.item->isEmpty())
                continue;
            QRect r;
            switch (pass) {
            case Align::Top: {
                const int h = extentOf(e, rest.width());
                r = QRect(rest.left(), rest.top(), rest.width(), h);
                rest.setTop(rest.top() + h);
                break;
            }
            case Align::Bottom: {
                const int h = extentOf(e, rest.width());
                r = QRect(rest.left(), rest.bottom() + 1 - h, rest.width(), h);
                rest.setBottom(rest.bottom() - h);
                break;
            }
            case Align::Left: {
                const int w = extentOf(e, 0);
                r = QRect(rest.left(), rest.top(), w, std::max(0, rest.height()));
                rest.setLeft(rest.left() + w);
                break;
            }
            case Align::Right: {
                const int w = extentOf(e, 0);
                r = QRect(rest.right() + 1 - w, rest.top(), w, std::max(0, rest.height()));
                rest.setRight(rest.right() - w);
                break;
            }
            case Align::Client:
                r = QRect(rest.topLeft(), QSize(std::max(0, rest.width()), std::max(0, rest.height())));
                break;
            case Align::None:
                break;
            }
            if (QWidget* w = e.item->widget())
                w->setGeometry(r);
            else
                e.item->setGeometry(r);
        }
    }
}

void AlignLayout::setGeometry(const QRect& rect)
{
    if (m_applying)
        return;
    m_applying = true;
    QLayout::setGeometry(rect);
    place(rect);
    QWidget* parent = parentWidget();
    if (m_autoSize && parent) {
        const int wanted = contentHeight(rect.width());
        if (wanted != rect.height()) {
            const QMargins m = parent->contentsMargins();
            parent->resize(parent->width(), wanted + m.top() + m.bottom());
            place(QRect(rect.topLeft(), QSize(rect.width(), wanted)));
        }
    }
    m_applying = false;
}

bool AlignLayout::eventFilter(QObject* watched, QEvent* event)
{
    // A control resized by code moves its neighbours, as an aligned control does.
    if (event->type() == QEvent::Resize && !m_applying)
        invalidate();
    return QLayout::eventFilter(watched, event);
}

} // namespace lumoria::platform
