#pragma once

#include <filesystem>
#include <optional>
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

// The first count fields of CCF text, in order, or nothing when it holds
// fewer. A field that begins with a double quote runs to the next double
// quote; an unquoted field runs to the next comma or line end, without
// surrounding spaces.
std::optional<std::vector<std::string>> parseCcfFields(std::string_view bytes, std::size_t count);

// The same for a file; nothing also when the file cannot be read.
std::optional<std::vector<std::string>> readCcfFields(const std::filesystem::path& path,
                                                      std::size_t count);

} // namespace tessaro
