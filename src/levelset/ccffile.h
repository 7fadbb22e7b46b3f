#pragma once

#include "common/readresult.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// A CCF file stands for one level set with its own last levels: four lines,
// each a field in double quotes, each ending in CR LF:
//   level set path, fake last level text, real last level text, CCF name.

// The file's bytes for the four fields.
std::string formatCcfFile(std::string_view levelSetPath, std::string_view fakeLastLevel,
                          std::string_view realLastLevel, std::string_view ccfName);

// Creates or replaces the file (atomically); false when it cannot be written.
bool writeCcfFile(const std::filesystem::path& path, std::string_view levelSetPath,
                  std::string_view fakeLastLevel, std::string_view realLastLevel,
                  std::string_view ccfName);

// The first count fields of CCF text, in order. A field that begins with a
// double quote runs to the next double quote; an unquoted field runs to the
// next comma or line end, without surrounding spaces. Refused, with the line
// where the text ends, when it holds fewer.
ReadResult<std::vector<std::string>> parseCcfFields(std::string_view bytes, std::size_t count);

// The same for a file; ReadError::unreadable when it cannot be read.
ReadResult<std::vector<std::string>> readCcfFields(const std::filesystem::path& path,
                                                   std::size_t count);

// A CCF file as a play uses it: the level set's path (in the game's code
// page), the last levels and the CCF name.
struct CcfFile {
    std::string levelSetPath;
    std::int16_t fakeLastLevel = 0;
    std::int16_t realLastLevel = 0;
    std::string ccfName;
};

// Reads the four fields; refused as parseCcfFields refuses, and on the line of
// a last level that is not a 16-bit number (the fake one first).
ReadResult<CcfFile> parseCcfFile(std::string_view bytes);
// The same for a file; a file that cannot be read is refused with line 0.
ReadResult<CcfFile> readCcfFile(const std::filesystem::path& path);

// The level set a CCF file names, from its first field (in the game's code
// page). A set whose name is not UTF-8 was stored with its own bytes (see
// toWindows1252), so those are tried when the path read as Windows-1252 names
// no file.
std::filesystem::path ccfLevelSetPath(const std::string& field);

} // namespace tessaro
