#pragma once

#include <filesystem>
#include <optional>

namespace tessaro {

// True when the file begins with a level-set signature; only its first four
// bytes are read. False for a file that cannot be read.
bool fileStartsWithLevelSetSignature(const std::filesystem::path& file);

// Whether a file given to play is taken for a level set. Answers the file
// that is not one: the file itself when it is neither a CCF nor a CCX file
// (by its extension) and does not start with a level-set signature, or a CCF
// file's set when that does not start with one. No answer for a file that
// passes, nor for a file or CCF that cannot be read (the play says so in its
// own words). The caller names the answer in notALevelSetMessage.
std::optional<std::filesystem::path> notALevelSetFile(const std::filesystem::path& file);

// The level set that shares the file's base name in its folder ("set.dat" or
// "set.ccl" beside "set.ccx"), whatever the case of its name; one whose name
// matches exactly wins, then a ".dat" over a ".ccl". Nothing when there is
// none or the folder cannot be read.
std::optional<std::filesystem::path> levelSetBeside(const std::filesystem::path& file);

} // namespace tessaro
