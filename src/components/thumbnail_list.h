#pragma once
// TThumbnailList: an owner-drawn list of picture cells with a caption under each. Its items are the
// collection TThumbnails of TThumbnail, each owning a TIPicture. It fills itself from a folder and
// decodes a file's picture only when its cell is first painted: on worker threads, into a copy no
// larger than the cell needs; the cell is drawn again when the copy is ready. A picture that fails
// is not tried again until the folder is loaded again.
//
// The cells stand in rows of Columns, in list order, and the list scrolls up and down. One class over three files: thumbnail_list.cpp (collection, resync,
// properties), thumbnail_list_paint.cpp (cells) and thumbnail_list_loading.cpp (folders, decoding).
#include <QListView>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "components/ipicture.h"
#include "platform/ui/colors.h"

namespace lumoria {

namespace platform {
class Canvas;
class CrossThreadCalls;
}

enum TThumbnailSource : std::uint8_t { tsPicture, tsFile };
enum TThumbnailOrientation : std::uint8_t { toVertical, toHorizontal };
enum TScrollStyle : std::uint8_t { ssNormal, ssFlat, ssEncarta };

class TThumbnails;
class TThumbnailList;

class TThumbnail {
public:
    // Made by TThumbnails::Add.
    explicit TThumbnail(TThumbnails* collection);
    // Counted out of the collection while still in it.
    ~TThumbnail();
    TThumbnail(const TThumbnail&) = delete;
    TThumbnail& operator=(const TThumbnail&) = delete;

    TIPicture& Picture() { return *m_picture; }
    const TIPicture& Picture() const { return *m_picture; }
    void SetPicture(const TIPicture* value);
    const QString& Filename() const { return m_filename; }
    void SetFilename(const QString& value);
    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& value);
    TThumbnailSource Source = tsPicture;
    std::int32_t Tag = 0;

    void Assign(const TThumbnail& source);

    // How far the list got with reading the file's picture.
    enum class Loading { None, Pending, Done, Failed };
    Loading loading() const { return m_loading; }

private:
    friend class TThumbnailList;
    friend class TThumbnails;
    void PictureChanged();

    TThumbnails* m_collection;
    std::unique_ptr<TIPicture> m_picture;
    QString m_filename;
    QString m_caption;
    Loading m_loading = Loading::None;
};

class TThumbnails {
public:
    explicit TThumbnails(TThumbnailList* owner);
    ~TThumbnails();
    TThumbnails(const TThumbnails&) = delete;
    TThumbnails& operator=(const TThumbnails&) = delete;

    TThumbnail* Add();
    // The collection's own count, and the live count the items keep themselves.
    int Count() const { return int(m_items.size()); }
    int LiveCount() const { return m_live; }
    TThumbnail* GetItem(int index) const { return m_items.at(std::size_t(index)).get(); }
    TThumbnail* operator[](int index) const { return GetItem(index); }
    void Clear();
    void Assign(const TThumbnails& source);
    TThumbnailList* GetOwner() const { return m_owner; }

    void ItemAdded();
    void ItemRemoved();
    void Changed();

private:
    TThumbnailList* m_owner;
    std::vector<std::unique_ptr<TThumbnail>> m_items;
    std::int32_t m_live = 0;
};

class TThumbnailList : public QListView {
    Q_OBJECT
public:
    static constexpr std::uint32_t kVersionNumber = 0x01010002; // 1.1.0.2

    explicit TThumbnailList(QWidget* parent = nullptr);
    ~TThumbnailList() override;

    TThumbnails& Thumbnails() { return *m_thumbnails; }
    void SetThumbnails(const TThumbnails& value) { m_thumbnails->Assign(value); }

    // --- Properties.
    bool Buffered() const { return m_buffered; }
    void SetBuffered(bool value) { m_buffered = value; }
    TThumbnailOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TThumbnailOrientation value);
    bool ShowCaption() const { return m_showCaption; }
    void SetShowCaption(bool value);
    bool ShowSelection() const { return m_showSelection; }
    void SetShowSelection(bool value);
    std::int32_t ThumbnailSize() const { return m_thumbnailSize; }
    // A size below 1 is taken as 1.
    void SetThumbnailSize(std::int32_t size);
    TScrollStyle ScrollStyle() const { return m_scrollStyle; }
    void SetScrollStyle(TScrollStyle value) { m_scrollStyle = value; }
    platform::ColorRef ScrollColor() const { return m_scrollColor; }
    void SetScrollColor(platform::ColorRef value) { m_scrollColor = value; }
    std::int32_t ScrollWidth() const { return m_scrollWidth; }
    void SetScrollWidth(std::int32_t value) { m_scrollWidth = value; }
    QString Version() const;
    void SetVersion(const QString&) {}
    virtual std::uint32_t GetVersionNumber() const { return kVersionNumber; }

    platform::ColorRef Color() const { return m_color; }
    void SetColor(platform::ColorRef value);
    // The visible columns of the vertical orientation.
    int Columns() const { return m_columns; }
    void SetColumns(int value);
    bool MultiSelect() const { return selectionMode() == QAbstractItemView::ExtendedSelection; }
    void SetMultiSelect(bool value);

    // --- Cells.
    int ItemHeight() const { return m_itemHeight; }
    int ColumnWidth() const { return m_columnWidth; }
    // The list box's strings ("_" each), one per live item after a resync.
    int Count() const { return m_strings; }
    int SelCount() const;
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    // The caret (focused) item; -1 when none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    void SelectAll();
    void ClearSelection();
    int VisibleRows() const;
    // The cell of an item in the list's coordinates.
    QRect ItemRect(int index) const;

    void BeginUpdate();
    void EndUpdate();
    // Replaces the items by the picture files matching the mask ("folder/*.*").
    void LoadFolder(const QString& mask);

    // Draws one cell (Rect in canvas pixels).
    virtual void DrawItem(int index, const Rect& rect, bool selected, bool focused, platform::Canvas& canvas);

    // Pictures being decoded now.
    int PendingPictures() const { return m_pending; }
    // Processes events until no picture is being decoded (or the time runs out); true when done.
    bool WaitForPictures(int milliseconds = 10000);

signals:
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void OnDblClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TThumbnails;
    friend class TThumbnail;
    class Strings;
    class CellDelegate;

    void InstallDelegate();
    void SyncItems();
    void ApplyCellSize();
    void UpdateGrid();
    void AddFile(const QString& folder, const QString& name);
    // The background reading of an item's picture for a cell area of that size.
    void RequestPicture(int index, QSize area);
    void PictureReady(int generation, int index, std::shared_ptr<TIPicture> picture, bool ok);
    // The pictures being read belong to items going away: their decodes stop where they are.
    void StopPictureReads();
    int HorizontalItemHeight() const;
    // The width the rows of the vertical orientation are laid out in.
    int LarguraDasLinhas() const;

    std::unique_ptr<TThumbnails> m_thumbnails;
    Strings* m_model = nullptr;
    int m_strings = 0;
    std::int32_t m_updateCount = 0;
    bool m_destroying = false;
    bool m_showCaption = true;
    TThumbnailOrientation m_orientation = toVertical;
    std::int32_t m_thumbnailSize = 64;
    bool m_buffered = true;
    bool m_showSelection = false;
    TScrollStyle m_scrollStyle = ssNormal;
    platform::ColorRef m_scrollColor = 0;
    std::int32_t m_scrollWidth = 16;
    platform::ColorRef m_color = platform::clWindow;
    int m_columns = 0;
    int m_itemHeight = 16;
    int m_columnWidth = 0;

    QThreadPool m_pool;
    // Brings the decoded pictures back to the window's thread; a child of the list.
    platform::CrossThreadCalls* m_prontas = nullptr;
    std::atomic<int> m_generation{0};
    int m_pending = 0;
    int m_requests = 0;
};

} // namespace lumoria
