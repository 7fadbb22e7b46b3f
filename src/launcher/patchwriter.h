#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace tessaro {

// The fields of a game executable that Tessaro rewrites: byte offsets from the
// start of the file and widths.
inline constexpr std::streamoff kIniNameOffset = 19048;     // 11 bytes
inline constexpr std::streamoff kSectionNameOffset = 19060; // 16 bytes
inline constexpr std::streamoff kDataNameOffset = 19156;    // 9 bytes
inline constexpr std::size_t kIniNameWidth = 11;
inline constexpr std::size_t kSectionNameWidth = 16;
inline constexpr std::size_t kDataNameWidth = 9;
// The fake last level is stored twice, the real last level three times, as
// 16-bit little-endian values.
inline constexpr std::streamoff kFakeLevelOffsets[] = {37305, 47892};
inline constexpr std::streamoff kRealLevelOffsets[] = {37312, 47636, 47900};
// Bytes a file needs to hold the last field.
inline constexpr std::streamoff kPatchedFieldsEnd = 47902;

// Writes the fields into an existing executable, opened for in-place update
// (never created, never truncated). Only the field bytes change; a file too
// short for a field grows to hold it. Names are padded with spaces to the
// field's width and never written past it. Nothing about the file's contents is
// checked. The file is closed when the writer goes.
class PatchWriter {
public:
    explicit PatchWriter(const std::filesystem::path& executable);

    // False when the file could not be opened for update, or a write failed.
    bool ok() const { return m_ok; }

    // fake at 37305 and 47892, real at 37312, 47636 and 47900, in that order.
    bool writeLevels(std::int16_t fake, std::int16_t real);
    bool writeIniName(std::string_view name);
    bool writeDataFileName(std::string_view name);
    bool writeSectionName(std::string_view name);

    // Flushes and closes the file; false when anything written failed.
    bool close();

private:
    bool writeName(std::streamoff offset, std::size_t width, std::string_view name);
    bool writeLevel(std::streamoff offset, std::int16_t value);
    bool writeAt(std::streamoff offset, const char* bytes, std::size_t count);

    std::fstream m_file;
    bool m_ok = false;
};

} // namespace tessaro
