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

// Replaces the file with the bytes: writes a temporary file beside it, then
// renames it over the target, so a failure part-way leaves the old file whole.
// False (and no temporary file left behind) when anything fails.
bool replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The lines, each ending in CR LF, written as replaceFileAtomically does.
bool writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

// Copies source over target byte for byte, replacing the target; false on failure.
bool copyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target);

} // namespace tessaro
