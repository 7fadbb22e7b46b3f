#pragma once

#include "common/platform.h"

#include <optional>
#include <string>

namespace tessaro {

// Asks for the game's executable (the dialog starts in startFolder) and copies
// it, unchanged, to "ludex.exe" in the program folder (replacing one already
// there). True when the copy was made; the create entry is then hidden. A
// cancelled dialog changes nothing; a failed copy is reported.
bool createPlayExecutable(Platform& platform, const std::string& programFolder,
                          const std::string& startFolder = {});

// Shift+H on the create entry: shows a hidden entry at once; hiding a shown
// one asks first. Returns whether the entry is shown afterwards.
bool toggleCreateEntry(Platform& platform, bool shown);

// The alternate play executable the user picked: full path and bare name.
struct AlternateExecutable {
    std::string path;
    std::string name;
};

// Browse for an alternate play executable; the dialog starts in startFolder.
// Nothing when the dialog was cancelled, or when the user picked the original
// CHIPS.EXE and then declined to use it: the earlier choice stays.
std::optional<AlternateExecutable> browseAlternateExecutable(Platform& platform,
                                                             const std::string& startFolder = {});

} // namespace tessaro
