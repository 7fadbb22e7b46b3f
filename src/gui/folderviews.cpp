#include "gui/folderviews.h"

#include "gui/codepage.h"

#include <QApplication>
#include <QDir>
#include <QStyle>
#include <QTreeWidget>

namespace tessaro {

std::vector<std::string> systemDrives() {
    std::vector<std::string> drives;
    for (const QFileInfo& drive : QDir::drives())
        drives.push_back(pathBytes(QDir::toNativeSeparators(drive.absolutePath())));
    return drives;
}

std::string currentDrive() {
    return pathBytes(QDir::toNativeSeparators(QDir(QDir::currentPath()).rootPath()));
}

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

void showFolderTree(QTreeWidget& tree, const std::vector<FolderListEntry>& entries) {
    const QSignalBlocker blocker(&tree);
    tree.clear();
    const QIcon open = tree.style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = tree.style()->standardIcon(QStyle::SP_DirClosedIcon);
    std::vector<QTreeWidgetItem*> branch;
    bool pastCurrent = false;
    for (const auto& entry : entries) {
        branch.resize(static_cast<std::size_t>(entry.depth));
        auto* item =
            branch.empty() ? new QTreeWidgetItem(&tree) : new QTreeWidgetItem(branch.back());
        item->setText(0, pathText(entry.name));
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

std::string folderPathOf(const QTreeWidgetItem& item) {
    return item.data(0, Qt::UserRole).toByteArray().toStdString();
}

} // namespace tessaro
