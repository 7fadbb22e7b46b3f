#pragma once

#include "common/folderlisting.h"

#include <QByteArray>
#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace tessaro {

// The drives the system offers, as native folder paths ("C:\" or "/").
std::vector<std::string> systemDrives();

// The drive of the process's current folder.
std::string currentDrive();

// Fills a folder tree with folder-list lines: the root and the folders down to
// the current one as an open branch, the current folder's sub-folders below
// it. Each item carries its folder's path bytes (see folderPathOf).
void showFolderTree(QTreeWidget& tree, const std::vector<FolderListEntry>& entries);

// The path of a folder tree item, as the bytes the core gave.
std::string folderPathOf(const QTreeWidgetItem& item);

// Bytes carried in an item or combo box entry unchanged, so a name the code
// page shows imperfectly still reaches the core as it was.
QByteArray bytesOf(const std::string& text);

} // namespace tessaro
