#pragma once
// A popup menu whose items are measured and drawn by its owner, as owner-drawn menus are: the owner
// gives every item (separators too) its size and paints it on the menu's canvas. The menu adds no
// frame or margins of its own; a submenu made through addOwnerDrawnMenu shares the owner's handlers.
// The only thing the menu draws itself is the arrow of an item that opens a submenu. As on the
// desktop the program comes from, disabled items can be highlighted but not chosen.
#include <QMenu>

#include <functional>

#include "platform/rect.h"

namespace lumoria::platform {

class Canvas;

class OwnerDrawnMenu : public QMenu {
    Q_OBJECT
public:
    using MeasureHandler = std::function<void(QAction* item, int& width, int& height)>;
    using DrawHandler = std::function<void(QAction* item, Canvas& canvas, const Rect& rect, bool selected)>;

    explicit OwnerDrawnMenu(QWidget* parent = nullptr);
    ~OwnerDrawnMenu() override;

    void setMeasureHandler(MeasureHandler handler) { m_measure = std::move(handler); }
    void setDrawHandler(DrawHandler handler) { m_draw = std::move(handler); }

    // A submenu under a new item of this menu, measured and drawn by the same handlers.
    OwnerDrawnMenu* addOwnerDrawnMenu(const QString& title);

    // The size the owner gives an item (0 x 0 without a measure handler).
    QSize measureItem(QAction* item) const;
    // The menu whose item opens this one, or null.
    OwnerDrawnMenu* parentMenu() const { return m_parentMenu; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    class Style;

    MeasureHandler m_measure;
    DrawHandler m_draw;
    OwnerDrawnMenu* m_parentMenu = nullptr;
    Style* m_style = nullptr;
};

} // namespace lumoria::platform
