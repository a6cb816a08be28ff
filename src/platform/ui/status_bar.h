#pragma once
// A status bar of fixed-width panels, left to right, each with a text. A panel may be owner-drawn:
// the bar paints its background and hands the panel to the owner's handler, which draws on the bar's
// canvas itself (in bar coordinates). Other panels draw their text in black, aligned as asked.
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

#include "platform/rect.h"

namespace lumoria::platform {

class Canvas;

class StatusBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultHeight = 19;

    explicit StatusBar(QWidget* parent = nullptr);

    // Appends a panel and returns its index.
    int addPanel(int width, Qt::Alignment alignment, bool ownerDrawn = false);
    int panelCount() const { return static_cast<int>(m_panels.size()); }
    int panelWidth(int index) const;
    bool panelOwnerDrawn(int index) const;
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    // The panel's rectangle on the bar.
    Rect panelRect(int index) const;

    // Draws an owner-drawn panel: its index, the bar's canvas (clipped to the bar) and its rectangle.
    using DrawPanelHandler = std::function<void(int panel, Canvas& canvas, const Rect& rect)>;
    void setDrawPanelHandler(DrawPanelHandler handler) { m_drawPanel = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct PanelData {
        int width = 0;
        Qt::Alignment alignment = Qt::AlignLeft;
        bool ownerDrawn = false;
        QString text;
    };
    const PanelData& at(int index) const;

    QList<PanelData> m_panels;
    DrawPanelHandler m_drawPanel;
};

} // namespace lumoria::platform
