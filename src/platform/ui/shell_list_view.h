#pragma once
// The folder browser of the old shell's list view: the folders and files of one folder, sorted
// (folders first, then by name as the folder listings order them), as a list without column headers. A double click on a folder enters it; "back"
// goes to the folder above. It starts at the desktop folder, or at HOME when there is none; it reads
// that folder (and has a model) only once it has been painted or given a folder.
#include <QTreeView>

#include <memory>

class QAbstractFileIconProvider;
class QFileSystemModel;
class QSortFilterProxyModel;

namespace lumoria::platform {

class ShellListView : public QTreeView {
    Q_OBJECT
public:
    explicit ShellListView(QWidget* parent = nullptr);
    ~ShellListView() override;

    // The folder the list shows.
    QString rootFolder() const { return m_root; }
    void setRootFolder(const QString& folder);
    // The full path of the selected entry; empty when nothing is selected.
    QString selectedPath() const;
    // Shows the folder above the one shown (nothing at the file system's root).
    void back();

    // The desktop folder when it exists, else HOME.
    static QString startFolder();

signals:
    // The folder shown changed (a double click on a folder, back, or setRootFolder).
    void rootFolderChanged(const QString& folder);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Gives the view its model, at the first time, and shows m_root.
    void showRoot();

    bool m_entering = false;
    std::unique_ptr<QAbstractFileIconProvider> m_icons;
    QFileSystemModel* m_model = nullptr;
    QSortFilterProxyModel* m_sorted = nullptr;
    QString m_root;
};

} // namespace lumoria::platform
