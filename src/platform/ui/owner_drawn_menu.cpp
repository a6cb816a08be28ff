#include "platform/ui/owner_drawn_menu.h"

#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include "platform/graphics/canvas.h"

namespace lumoria::platform {

namespace {
constexpr int kArrowSize = 4;
constexpr int kArrowMargin = 8;
} // namespace

// Gives the items the owner's sizes and takes away the menu's frame and margins.
class OwnerDrawnMenu::Style : public QProxyStyle {
public:
    explicit Style(OwnerDrawnMenu* menu) : m_menu(menu) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        switch (metric) {
        case PM_MenuPanelWidth:
        case PM_MenuHMargin:
        case PM_MenuVMargin:
        case PM_MenuDesktopFrameWidth:
            return 0;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_Menu_AllowActiveAndDisabled)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        if (type == CT_Menu)
            return size; // no frame around the items
        if (type != CT_MenuItem || widget != m_menu)
            return QProxyStyle::sizeFromContents(type, option, size, widget);
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (QAction* action = item ? actionFor(*item) : nullptr)
            return m_menu->measureItem(action);
        return QSize(0, 0);
    }

private:
    // The option carries no action: find the item by its kind and its text.
    QAction* actionFor(const QStyleOptionMenuItem& option) const
    {
        const bool separator = option.menuItemType == QStyleOptionMenuItem::Separator;
        for (QAction* action : m_menu->actions()) {
            if (!action->isVisible() || action->isSeparator() != separator)
                continue;
            if (separator || action->text() == option.text)
                return action;
        }
        return nullptr;
    }

    OwnerDrawnMenu* m_menu;
};

OwnerDrawnMenu::OwnerDrawnMenu(QWidget* parent) : QMenu(parent)
{
    m_style = new Style(this);
    setStyle(m_style);
    setContentsMargins(0, 0, 0, 0);
    setSeparatorsCollapsible(false);
}

OwnerDrawnMenu::~OwnerDrawnMenu()
{
    setStyle(nullptr);
    delete m_style;
}

OwnerDrawnMenu* OwnerDrawnMenu::addOwnerDrawnMenu(const QString& title)
{
    auto* submenu = new OwnerDrawnMenu(this);
    submenu->m_parentMenu = this;
    submenu->m_measure = m_measure;
    submenu->m_draw = m_draw;
    submenu->setTitle(title);
    addMenu(submenu);
    return submenu;
}

QSize OwnerDrawnMenu::measureItem(QAction* item) const
{
    int width = 0;
    int height = 0;
    if (m_measure)
        m_measure(item, width, height);
    return QSize(width, height);
}

void OwnerDrawnMenu::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    for (QAction* action : actions()) {
        const QRect r = actionGeometry(action);
        if (!action->isVisible() || r.isEmpty())
            continue;
        const bool selected = activeAction() == action && !action->isSeparator();
        if (m_draw) {
            painter.save();
            Canvas canvas(painter, fromQRect(rect()));
            m_draw(action, canvas, fromQRect(r), selected);
            painter.restore();
        }
        if (action->menu()) {
            // The arrow of a submenu item, drawn by the menu whatever the owner drew.
            const int x = r.right() - kArrowMargin;
            const int y = r.center().y();
            QPainterPath arrow;
            arrow.moveTo(x - kArrowSize, y - kArrowSize);
            arrow.lineTo(x, y);
            arrow.lineTo(x - kArrowSize, y + kArrowSize);
            arrow.closeSubpath();
            painter.fillPath(arrow, action->isEnabled() ? Qt::white : Qt::black);
        }
    }
}

} // namespace lumoria::platform
