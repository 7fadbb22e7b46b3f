#pragma once

#include "common/paths.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// Synchronous listings of one folder for the folder and file lists of the
// windows. Names are the bytes the file system holds; nothing is re-encoded.
// A folder that cannot be read lists as empty, and an entry that cannot be
// examined is left out; nothing throws.

// True when the bare file name matches one of the patterns, which are
// separated by ';' ("*.dat;*.ccl;*.ccf"). In a pattern '*' stands for any run
// of characters and '?' for one; letters compare without regard to case, so
// "*.dat" matches "CCLP1.DAT" and "set.Dat" but not "set.data". Spaces around
// a pattern are ignored; an empty pattern list matches nothing.
bool matchesFilePattern(std::string_view name, std::string_view patterns);

// The bare names of the files in folder (sub-folders left out) that match
// the patterns, sorted with lessIgnoreCase (common/casefold.h).
std::vector<std::string> listMatchingFiles(const std::filesystem::path& folder,
                                           std::string_view patterns);

// The bare names of the sub-folders of folder, sorted with lessIgnoreCase (common/casefold.h).
std::vector<std::string> listSubfolders(const std::filesystem::path& folder);

// A folder's sub-folders and its files that match the patterns, each sorted
// with lessIgnoreCase, from one walk through the folder.
struct FolderContents {
    std::vector<std::string> subfolders;
    std::vector<std::string> files;
};

// Nothing when the folder cannot be read (it is gone, not a folder, or not
// open to this user).
std::optional<FolderContents> listFolder(const std::filesystem::path& folder,
                                         std::string_view patterns);

// One line of a folder list.
struct FolderListEntry {
    std::string path; // the folder's full path
    std::string name; // what the line shows: the root's path, otherwise the bare name
    int depth = 0;    // 0 for the root, one more for each level below it
    bool current = false;

    bool operator==(const FolderListEntry&) const = default;
};

// The lines of a folder list open at folder (an absolute path, see
// folderSteps): the root and every folder on the way down to folder itself,
// which is the current line, then the sub-folders of folder one level deeper.
std::vector<FolderListEntry> folderListEntries(const std::string& folder,
                                               char separator = kPathSeparator);
// The same with the sub-folders of folder already listed (listFolder).
std::vector<FolderListEntry> folderListEntries(const std::string& folder,
                                               const std::vector<std::string>& subfolders,
                                               char separator = kPathSeparator);

} // namespace tessaro
