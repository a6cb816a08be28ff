#pragma once
// Children aligned to the edges of their parent the way the window designs give them: top and bottom
// controls take the full width and keep their height, left and right controls take the height that is
// left and keep their width, a client control fills what remains. Controls are placed in the order
// they were added, top ones first, then bottom, left, right and client; hidden ones take no room.
#include <QLayout>
#include <QList>

namespace lumoria::platform {

enum class Align { None, Top, Bottom, Left, Right, Client };

class AlignLayout : public QLayout {
    Q_OBJECT
public:
    explicit AlignLayout(QWidget* parent = nullptr);
    ~AlignLayout() override;

    // followContent: a top or bottom control takes its height from its content (heightForWidth, as a
    // word-wrapped label does), a left or right control its width from its size hint.
    void addWidget(QWidget* widget, Align align, bool followContent = false);
    void setAlign(QWidget* widget, Align align);
    Align alignOf(const QWidget* widget) const;

    // The parent's height follows the content (a window that sizes itself to its controls).
    void setAutoSize(bool on);
    bool autoSize() const { return m_autoSize; }
    // Height the aligned controls need at the given width.
    int contentHeight(int width) const;

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QLayoutItem* item;
        Align align;
        bool followContent;
    };
    int extentOf(const Entry& entry, int available) const;
    void place(const QRect& rect);

    QList<Entry> m_entries;
    bool m_autoSize = false;
    bool m_applying = false;
};

} // namespace lumoria::platform
