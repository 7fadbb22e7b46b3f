#pragma once

#include "common/foldernavigator.h"

#include <QByteArray>
#include <string>
#include <vector>

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace tessaro {

// The system's mounted volumes for a drive list, as native root paths: the
// drive letters on Windows ("C:\"); elsewhere "/", the home folder and the
// media mounted under /media, /run/media, /mnt or /Volumes.
std::vector<std::string> systemDrives();

// The drive of the process's current folder.
std::string currentDrive();

// Shows a navigator in its views: the drive list (each entry carrying its
// path, see drivePathOf), the folder tree (the root and the folders down to
// the current one as an open branch, its sub-folders below it; each item
// carrying its path, see folderPathOf, with the full path as its tooltip) and
// the current folder's full path in currentFolder (a label or a text field).
void showFolderView(const FolderNavigator& navigator, QComboBox& drives, QTreeWidget& tree,
                    QWidget& currentFolder);

// The path of a drive list entry or a folder tree item, as the bytes the core gave.
std::string drivePathOf(const QComboBox& drives, int index);
std::string folderPathOf(const QTreeWidgetItem& item);

// Bytes carried in an item or combo box entry unchanged, so a name the code
// page shows imperfectly still reaches the core as it was.
QByteArray bytesOf(const std::string& text);

} // namespace tessaro
