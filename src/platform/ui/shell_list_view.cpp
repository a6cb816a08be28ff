#include "platform/ui/shell_list_view.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QAbstractFileIconProvider>
#include <QIcon>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QTimer>

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

// Folders and pictures show the desktop's icon theme. Without a desktop session Qt knows neither
// where themes lie nor which one to use: the XDG folders are searched, and a desktop that names no
// theme gets Adwaita.
void useDesktopIconTheme()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    QStringList paths = QIcon::themeSearchPaths();
    QStringList more = {QDir::homePath() + QStringLiteral("/.icons")};
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        more << data + QStringLiteral("/icons");
    for (const QString& path : more)
        if (!paths.contains(path))
            paths << path;
    QIcon::setThemeSearchPaths(paths);
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QStringLiteral("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
}

// Pictures and other files by their type's icon in the theme (image-jpeg, else image-x-generic);
// folders as Qt gives them.
class ThemeIcons : public QAbstractFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override
    {
        if (!info.isDir()) {
            const QMimeType type = m_types.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
            const QIcon byType = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
            if (!byType.isNull())
                return byType;
        }
        return QAbstractFileIconProvider::icon(info);
    }
    using QAbstractFileIconProvider::icon;

private:
    QMimeDatabase m_types;
};

} // namespace

ShellListView::~ShellListView()
{
    // The model's file gatherer asks the icon provider until the model is gone.
    setModel(nullptr);
    delete m_model;
}

ShellListView::ShellListView(QWidget* parent) : QTreeView(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        const QModelIndex entry = m_sorted->mapToSource(index);
        if (m_model->isDir(entry))
            setRootFolder(m_model->filePath(entry));
    });
    // The start folder's entries and their icons come in the background anyway: the list makes its
    // model (and the model its reading thread) and reads the folder once it has been painted, so that
    // the window shows no later for them.
    m_root = QDir(startFolder()).absolutePath();
}

void ShellListView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (!model() && !m_entering) {
        m_entering = true;
        QTimer::singleShot(0, this, [this] {
            if (!model())
                showRoot();
        });
    }
}

void ShellListView::showRoot()
{
    if (!model()) {
        m_model = new QFileSystemModel(this);
        m_model->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
        m_model->setReadOnly(true);
        m_sorted = new NameOrder(this);
        m_sorted->setSourceModel(m_model);
        m_sorted->setDynamicSortFilter(true);
        useDesktopIconTheme();
        m_icons = std::make_unique<ThemeIcons>();
        m_model->setIconProvider(m_icons.get());
        setModel(m_sorted);
        setSortingEnabled(true);
        sortByColumn(0, Qt::AscendingOrder);
        // The name only: the list is too narrow for sizes and dates.
        for (int c = 1; c < m_model->columnCount(); ++c)
            setColumnHidden(c, true);
    }
    setRootIndex(m_sorted->mapFromSource(m_model->setRootPath(m_root)));
    clearSelection();
    setCurrentIndex(QModelIndex());
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
    showRoot();
    emit rootFolderChanged(m_root);
}

QString ShellListView::selectedPath() const
{
    if (!m_model || !selectionModel())
        return QString();
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
