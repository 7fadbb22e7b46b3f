#include "gui/folderviews.h"

#include "gui/codepage.h"

#include <QComboBox>
#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>

namespace tessaro {

namespace {

void addDrive(std::vector<std::string>& drives, const QString& path) {
    auto native = pathBytes(QDir::toNativeSeparators(path));
    if (std::find(drives.begin(), drives.end(), native) == drives.end())
        drives.push_back(std::move(native));
}

} // namespace

std::vector<std::string> systemDrives() {
    std::vector<std::string> drives;
    QStringList volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
#ifdef _WIN32
        const bool listed = root.size() <= 3 && root.endsWith(":/");
#else
        const bool listed = root.startsWith("/media/") || root.startsWith("/run/media/") ||
                            root.startsWith("/mnt/") || root.startsWith("/Volumes/");
#endif
        if (listed && volume.isValid() && volume.isReady())
            volumes.push_back(root);
    }
    volumes.sort();
#ifndef _WIN32
    volumes.prepend(QDir::homePath());
    volumes.prepend(QDir::rootPath());
#endif
    for (const QString& root : volumes)
        addDrive(drives, root);
    return drives;
}

std::string currentDrive() {
    return pathBytes(QDir::toNativeSeparators(QDir(QDir::currentPath()).rootPath()));
}

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

void showFolderView(const FolderNavigator& navigator, QComboBox& drives, QTreeWidget& tree,
                    QWidget& currentFolder) {
    const QString folder = pathText(navigator.folder());
    currentFolder.setProperty("text", folder);
    currentFolder.setToolTip(folder);

    const QSignalBlocker blockDrives(&drives);
    drives.clear();
    for (const auto& drive : navigator.drives())
        drives.addItem(pathText(drive), bytesOf(drive));
    drives.setCurrentIndex(drives.findData(bytesOf(navigator.drive())));

    const QSignalBlocker blockTree(&tree);
    tree.clear();
    const QIcon open = tree.style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = tree.style()->standardIcon(QStyle::SP_DirClosedIcon);
    std::vector<QTreeWidgetItem*> branch;
    bool pastCurrent = false;
    for (const auto& entry : navigator.entries()) {
        branch.resize(static_cast<std::size_t>(entry.depth));
        auto* item =
            branch.empty() ? new QTreeWidgetItem(&tree) : new QTreeWidgetItem(branch.back());
        item->setText(0, pathText(entry.name));
        item->setToolTip(0, pathText(entry.path));
        item->setData(0, Qt::UserRole, bytesOf(entry.path));
        item->setIcon(0, pastCurrent ? closed : open);
        pastCurrent = pastCurrent || entry.current;
        branch.push_back(item);
        if (entry.current)
            tree.setCurrentItem(item);
    }
    tree.expandAll();
    if (tree.currentItem())
        tree.scrollToItem(tree.currentItem());
}

std::string drivePathOf(const QComboBox& drives, int index) {
    return drives.itemData(index).toByteArray().toStdString();
}

std::string folderPathOf(const QTreeWidgetItem& item) {
    return item.data(0, Qt::UserRole).toByteArray().toStdString();
}

} // namespace tessaro
