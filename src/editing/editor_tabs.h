#pragma once
// The editors' page control: owner-drawn tabs of 100 x 27 whose faces carry two lines of text, over a
// stack of pages. A click on another tab first runs the changing handler, then shows the page and
// runs the change handler; the program can also show a page without running either.
// The control draws the tabs' raised edges and the page's top edge around the faces, as a classic
// tab control does: the active tab stands 2 pixels taller and wider than the others and its face
// runs into the page, where the page's edge shows under the others.
#include <QWidget>

#include <functional>

class QStackedWidget;

namespace lumoria {

class EditorTabs : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTabWidth = 100;
    static constexpr int kTabHeight = 27;
    // The row of tabs: room for the active tab to stand 2 pixels taller, and the page's top edge.
    static constexpr int kActiveGrowth = 2;
    static constexpr int kStripHeight = kActiveGrowth + kTabHeight + 1;

    explicit EditorTabs(QWidget* parent = nullptr);

    // A new page (a plain container) with its tab; its index is count() - 1.
    QWidget* addPage();
    QWidget* page(int index) const;
    int count() const;
    int currentIndex() const;
    // Shows a page without running the handlers.
    void setCurrentIndexSilently(int index);
    // What a click on the tab does: changing handler, page shown, change handler.
    void selectTab(int index);
    // The tab's outline, edges included (the active tab's is the larger one).
    QRect tabRect(int index) const;
    // The part of the tab its face is painted in.
    QRect faceRect(int index) const;

    // The lines of a tab's face.
    std::function<QStringList(int index)> TabLines;
    // Before a click leaves the current page (its index), and after the new page is shown.
    std::function<void(int leaving)> OnChanging;
    std::function<void(int entered)> OnChange;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QStackedWidget* m_pages = nullptr;
};

// Paints one tab face into its rectangle: a fill of $A4A0A0 reaching one pixel further down, and the
// lines in black, regular, size 8 of the given font, each centred; the first line one pixel under
// the top, the second one pixel above the first line's height.
void DesenharFaceDaAba(class QPainter& painter, const QRect& rect, const QFont& font, const QStringList& linhas);

} // namespace lumoria
