#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// Splits single-byte text into lines; CR LF, a lone CR and a lone LF each end
// a line. A final line without a line end is kept; a final line end does not
// make an extra empty line. Bytes are never changed.
std::vector<std::string> splitLines(std::string_view bytes);

// Each line followed by CR LF.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

// The whole file as bytes, or nothing when it cannot be read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

// The file's lines (see splitLines), or nothing when it cannot be read.
std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& path);

// The lines, each ending in CR LF, written over the file through the safe
// writer (see replaceFileAtomically). False when the file was not written.
bool writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

} // namespace tessaro
