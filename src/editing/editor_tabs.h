#pragma once
// The editors' page control: owner-drawn tabs of 100 x 27 whose faces carry two lines of text, over a
// stack of pages. A click on another tab first runs the changing handler, then shows the page and
// runs the change handler; the program can also show a page without running either.
#include <QWidget>

#include <functional>

class QStackedWidget;

namespace lumoria {

class EditorTabs : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTabWidth = 100;
    static constexpr int kTabHeight = 27;

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
    QRect tabRect(int index) const;

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
