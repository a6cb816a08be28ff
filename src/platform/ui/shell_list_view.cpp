#include "platform/ui/shell_list_view.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>

#include "platform/shell/folder_listing.h"
#include "platform/shell/special_folders.h"

namespace lumoria::platform {

ShellListView::ShellListView(QWidget* parent) : QTreeView(parent)
{
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    m_model->setReadOnly(true);
    setModel(m_model);
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
        if (m_model->isDir(index))
            setRootFolder(m_model->filePath(index));
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
    setRootIndex(m_model->setRootPath(m_root));
    clearSelection();
    setCurrentIndex(QModelIndex());
    emit rootFolderChanged(m_root);
}

QString ShellListView::selectedPath() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return QString();
    return m_model->filePath(rows.first());
}

void ShellListView::back()
{
    const QString above = parentFolder(m_root);
    if (above != m_root)
        setRootFolder(above);
}

} // namespace lumoria::platform
