#include "platform/ui/shell_list_view.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QSortFilterProxyModel>

#include "platform/shell/folder_listing.h"
#include "platform/shell/special_folders.h"

namespace lumoria::platform {

namespace {

// The model's own sorting follows the locale's collation, which need not be the order in which the
// thumbnails and the insertion take a folder's photos: the names go through the listings' order.
class NameOrder : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override
    {
        const auto* model = static_cast<const QFileSystemModel*>(sourceModel());
        const bool pastaA = model->isDir(left), pastaB = model->isDir(right);
        if (pastaA != pastaB)
            return pastaA;
        return compareFileNames(model->fileName(left), model->fileName(right)) < 0;
    }
};

} // namespace

ShellListView::ShellListView(QWidget* parent) : QTreeView(parent)
{
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    m_model->setReadOnly(true);
    m_sorted = new NameOrder(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setDynamicSortFilter(true);
    setModel(m_sorted);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setSortingEnabled(true);
    sortByColumn(0, Qt::AscendingOrder);
    // The name only: the list is too narrow for sizes and dates.
    for (int c = 1; c < m_model->columnCount(); ++c)
        setColumnHidden(c, true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        const QModelIndex entry = m_sorted->mapToSource(index);
        if (m_model->isDir(entry))
            setRootFolder(m_model->filePath(entry));
    });
    setRootFolder(startFolder());
}

QString ShellListView::startFolder()
{
    const QString desktop = desktopFolder();
    if (isExistingFolder(desktop))
        return desktop;
    return QDir::homePath();
}

void ShellListView::setRootFolder(const QString& folder)
{
    m_root = QDir(folder).absolutePath();
    setRootIndex(m_sorted->mapFromSource(m_model->setRootPath(m_root)));
    clearSelection();
    setCurrentIndex(QModelIndex());
    emit rootFolderChanged(m_root);
}

QString ShellListView::selectedPath() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return QString();
    return m_model->filePath(m_sorted->mapToSource(rows.first()));
}

void ShellListView::back()
{
    const QString above = parentFolder(m_root);
    if (above != m_root)
        setRootFolder(above);
}

} // namespace lumoria::platform
