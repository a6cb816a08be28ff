// The thumbnail collection, the resync of the list's strings, the cell size and the properties.
#include "components/thumbnail_list.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QThread>

#include "platform/numeric.h"
#include "platform/system/cross_thread.h"

namespace lumoria {

// The list box's strings: as many rows as the last resync left, each "_".
class TThumbnailList::Strings : public QAbstractListModel {
public:
    explicit Strings(TThumbnailList* list) : QAbstractListModel(list), m_list(list) {}
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_list->m_strings; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole && index.isValid())
            return QStringLiteral("_");
        return QVariant();
    }
    void Resize(int count)
    {
        const int antes = m_list->m_strings;
        if (count < antes) {
            beginRemoveRows(QModelIndex(), count, antes - 1);
            m_list->m_strings = count;
            endRemoveRows();
        } else if (count > antes) {
            beginInsertRows(QModelIndex(), antes, count - 1);
            m_list->m_strings = count;
            endInsertRows();
        }
    }

private:
    TThumbnailList* m_list;
};

// --- TThumbnail

TThumbnail::TThumbnail(TThumbnails* collection)
    : m_collection(collection), m_picture(std::make_unique<TIPicture>())
{
    m_picture->OnChange = [this] { PictureChanged(); };
}

TThumbnail::~TThumbnail()
{
    if (m_collection)
        m_collection->ItemRemoved();
}

void TThumbnail::PictureChanged()
{
    if (m_collection)
        m_collection->Changed();
}

void TThumbnail::SetPicture(const TIPicture* value)
{
    m_picture->Assign(value);
    PictureChanged();
}

void TThumbnail::SetFilename(const QString& value)
{
    m_filename = value;
    m_loading = Loading::None;
    PictureChanged();
}

void TThumbnail::SetCaption(const QString& value)
{
    m_caption = value;
    PictureChanged();
}

void TThumbnail::Assign(const TThumbnail& source)
{
    if (&source == this)
        return;
    m_picture->Assign(&source.Picture());
    Source = source.Source;
    m_filename = source.m_filename;
    m_caption = source.m_caption;
    Tag = source.Tag;
    PictureChanged();
}

// --- TThumbnails

TThumbnails::TThumbnails(TThumbnailList* owner) : m_owner(owner) {}

TThumbnails::~TThumbnails()
{
    // The list is going away: the items only leave.
    for (auto& item : m_items)
        item->m_collection = nullptr;
}

TThumbnail* TThumbnails::Add()
{
    m_items.push_back(std::make_unique<TThumbnail>(this));
    ItemAdded();
    return m_items.back().get();
}

void TThumbnails::Clear()
{
    if (m_owner) {
        m_owner->BeginUpdate();
        // Pictures still being read belong to the items going away.
        m_owner->StopPictureReads();
    }
    // Each item counts itself out while it is still in the collection, last first.
    while (!m_items.empty()) {
        m_items.back().reset();
        m_items.pop_back();
    }
    if (m_owner)
        m_owner->EndUpdate();
}

void TThumbnails::Assign(const TThumbnails& source)
{
    if (&source == this)
        return;
    if (m_owner)
        m_owner->BeginUpdate();
    Clear();
    for (const auto& item : source.m_items)
        Add()->Assign(*item);
    if (m_owner)
        m_owner->EndUpdate();
}

void TThumbnails::ItemAdded()
{
    ++m_live;
    Changed();
}

void TThumbnails::ItemRemoved()
{
    if (m_live > 0)
        --m_live;
    Changed();
}

void TThumbnails::Changed()
{
    if (m_owner)
        m_owner->SyncItems();
}

// --- TThumbnailList

TThumbnailList::TThumbnailList(QWidget* parent) : QListView(parent)
{
    m_thumbnails = std::make_unique<TThumbnails>(this);
    m_model = new Strings(this);
    setModel(m_model);
    InstallDelegate();
    setViewMode(QListView::ListMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSpacing(0);
    setSelectionRectVisible(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    m_prontas = new platform::CrossThreadCalls(this);
    SetColumns(0);
    SetThumbnailSize(64);
}

TThumbnailList::~TThumbnailList()
{
    m_destroying = true;
    // Stopped first, so that the wait below lasts until each decode's next check, not its end.
    StopPictureReads();
    m_pool.clear();
    m_pool.waitForDone();
    m_thumbnails.reset();
}

QString TThumbnailList::Version() const
{
    const std::uint32_t n = GetVersionNumber();
    return QStringLiteral("%1.%2.%3.%4").arg(n >> 24).arg((n >> 16) & 0xFF).arg((n >> 8) & 0xFF).arg(n & 0xFF);
}

void TThumbnailList::BeginUpdate() { ++m_updateCount; }

void TThumbnailList::EndUpdate()
{
    if (m_updateCount > 0)
        --m_updateCount;
    if (m_updateCount == 0)
        SyncItems();
}

void TThumbnailList::SyncItems()
{
    if (m_destroying || m_updateCount > 0 || !m_thumbnails)
        return;
    ++m_updateCount;
    m_model->Resize(m_thumbnails->LiveCount());
    if (m_orientation == toHorizontal)
        m_columns = m_thumbnails->Count();
    ApplyCellSize();
    --m_updateCount;
    viewport()->update();
}

int TThumbnailList::HorizontalItemHeight() const
{
    const int barra = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int borda = 1;
    return height() - barra - 4 * borda;
}

void TThumbnailList::ApplyCellSize()
{
    if (m_orientation == toVertical) {
        m_itemHeight = m_thumbnailSize;
        if (m_columns > 0)
            m_columnWidth = m_thumbnailSize;
    } else {
        const int altura = HorizontalItemHeight();
        if (altura >= 1)
            m_itemHeight = altura;
        m_columns = m_thumbnails ? m_thumbnails->Count() : 0;
        m_columnWidth = m_thumbnailSize;
    }
    UpdateGrid();
}

int TThumbnailList::LarguraDasLinhas() const
{
    // Rows of exactly Columns cells, in list order. The view lays its rows out in the width it
    // would have beside a vertical scroll bar, whether one shows or not, and wraps a cell that
    // would reach that width's last pixel; cells no wider than their share of it never leave the
    // last column to a row of its own.
    int largura = maximumViewportSize().width() - 1;
    if (verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded) {
        largura -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
        if (style()->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents))
            largura -= 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    }
    return largura;
}

void TThumbnailList::UpdateGrid()
{
    const bool colunas = m_orientation == toHorizontal || m_columns > 0;
    setFlow(QListView::LeftToRight);
    setWrapping(m_orientation == toVertical && colunas);
    int largura = std::max(1, viewport()->width());
    if (m_orientation == toHorizontal)
        largura = std::max(1, m_columnWidth);
    else if (colunas)
        largura = std::max(1, std::min(m_columnWidth, Div(LarguraDasLinhas(), m_columns)));
    setGridSize(QSize(largura, std::max(1, m_itemHeight)));
    doItemsLayout();
    viewport()->update();
}

void TThumbnailList::SetThumbnailSize(std::int32_t size)
{
    m_thumbnailSize = std::max<std::int32_t>(1, size);
    // The column count follows the cell size as it follows the width: a size set after the last
    // resize (a third of the width) would otherwise keep the count the old size gave.
    if (m_orientation == toVertical && m_columns >= 1) {
        const int n = Div(width(), m_thumbnailSize);
        if (n >= 1)
            m_columns = n;
    }
    ApplyCellSize();
}

void TThumbnailList::SetOrientation(TThumbnailOrientation value)
{
    if (value == m_orientation)
        return;
    m_orientation = value;
    SetThumbnailSize(m_thumbnailSize);
    viewport()->update();
}

void TThumbnailList::SetShowCaption(bool value)
{
    if (value == m_showCaption)
        return;
    m_showCaption = value;
    viewport()->update();
}

void TThumbnailList::SetShowSelection(bool value)
{
    if (value == m_showSelection)
        return;
    m_showSelection = value;
    viewport()->update();
}

void TThumbnailList::SetColor(platform::ColorRef value)
{
    m_color = value;
    QPalette p = palette();
    p.setColor(QPalette::Base, platform::toQColor(value));
    p.setColor(QPalette::Window, platform::toQColor(value));
    setPalette(p);
    viewport()->update();
}

void TThumbnailList::SetColumns(int value)
{
    m_columns = std::max(0, value);
    if (m_columns > 0)
        m_columnWidth = m_thumbnailSize;
    UpdateGrid();
}

void TThumbnailList::SetMultiSelect(bool value)
{
    setSelectionMode(value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void TThumbnailList::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    if (m_orientation == toVertical && m_columns >= 1) {
        const int n = Div(width(), m_thumbnailSize);
        if (n >= 1 && n != m_columns)
            SetColumns(n);
        else
            UpdateGrid(); // the cells share the viewport's new width
        viewport()->update();
    } else if (m_orientation == toHorizontal) {
        const int altura = HorizontalItemHeight();
        if (altura > 0) {
            m_itemHeight = altura;
            UpdateGrid();
        }
    }
}

int TThumbnailList::VisibleRows() const
{
    return m_itemHeight == 0 ? 0 : Div(height(), m_itemHeight);
}

int TThumbnailList::SelCount() const
{
    return int(selectionModel()->selectedIndexes().size());
}

bool TThumbnailList::Selected(int index) const
{
    return selectionModel()->isSelected(m_model->index(index, 0));
}

void TThumbnailList::SetSelected(int index, bool value)
{
    selectionModel()->select(m_model->index(index, 0),
                             value ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

int TThumbnailList::ItemIndex() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void TThumbnailList::SetItemIndex(int index)
{
    selectionModel()->setCurrentIndex(m_model->index(index, 0), QItemSelectionModel::NoUpdate);
}

void TThumbnailList::SelectAll()
{
    if (m_strings > 0)
        selectionModel()->select(QItemSelection(m_model->index(0, 0), m_model->index(m_strings - 1, 0)),
                                 QItemSelectionModel::Select);
}

void TThumbnailList::ClearSelection()
{
    selectionModel()->clearSelection();
}

QRect TThumbnailList::ItemRect(int index) const
{
    const QRect r = visualRect(m_model->index(index, 0));
    return r.translated(viewport()->pos());
}

void TThumbnailList::mousePressEvent(QMouseEvent* event)
{
    // The right button leaves the selection and the caret alone, as a list box does: the menu it
    // opens acts on the selection made before.
    if (event->button() != Qt::RightButton)
        QListView::mousePressEvent(event);
    // A plain click leaves that item alone selected at once, as a list box does (not on release).
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && selectionMode() == ExtendedSelection
        && !(event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)))
        selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    const QPoint p = mapFromGlobal(event->globalPosition().toPoint());
    emit OnMouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TThumbnailList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit OnDblClick();
}

bool TThumbnailList::WaitForPictures(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (m_pending > 0 && timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    QApplication::processEvents();
    return m_pending == 0;
}

} // namespace lumoria
