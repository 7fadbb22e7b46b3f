#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tessaro {

// The fields of a game executable that Tessaro rewrites: byte offsets from the
// start of the file and widths.
inline constexpr std::size_t kIniNameOffset = 19048;     // 11 bytes
inline constexpr std::size_t kSectionNameOffset = 19060; // 16 bytes
inline constexpr std::size_t kDataNameOffset = 19156;    // 9 bytes
inline constexpr std::size_t kIniNameWidth = 11;
inline constexpr std::size_t kSectionNameWidth = 16;
inline constexpr std::size_t kDataNameWidth = 9;
// The fake last level is stored twice, the real last level three times, as
// 16-bit little-endian values.
inline constexpr std::size_t kFakeLevelOffsets[] = {37305, 47892};
inline constexpr std::size_t kRealLevelOffsets[] = {37312, 47636, 47900};
// Bytes a file needs to hold the last field.
inline constexpr std::size_t kPatchedFieldsEnd = 47902;

// Writes the fields into a copy of a game executable held in memory; save()
// then puts the whole patched copy in place at once, through the safe writer,
// so the executable on disk holds either every field written or none. Only the
// field bytes change; a file too short for a field grows to hold it (with zero
// bytes). Names are padded with spaces to the field's width and never written
// past it. Nothing about the file's contents is checked.
class PatchWriter {
public:
    // Patches the executable itself, which must exist: it is never created.
    explicit PatchWriter(const std::filesystem::path& executable);
    // Patches a copy of source, which save() writes to target (created or
    // replaced); source is left as it is.
    PatchWriter(const std::filesystem::path& source, std::filesystem::path target);

    // False when the executable (or source) could not be read.
    bool ok() const { return m_ok; }

    // fake at 37305 and 47892, real at 37312, 47636 and 47900.
    void writeLevels(std::int16_t fake, std::int16_t real);
    void writeIniName(std::string_view name);
    void writeDataFileName(std::string_view name);
    void writeSectionName(std::string_view name);

    // Writes the patched bytes over the target; false (the target as it was)
    // when the executable could not be read or the target not replaced.
    bool save() const;

    const std::filesystem::path& target() const { return m_target; }
    // The executable's bytes as read, and as patched so far.
    const std::string& originalBytes() const { return m_original; }
    const std::string& patchedBytes() const { return m_patched; }

private:
    void writeName(std::size_t offset, std::size_t width, std::string_view name);
    void writeLevel(std::size_t offset, std::int16_t value);
    void writeAt(std::size_t offset, std::string_view bytes);

    std::filesystem::path m_target;
    std::string m_original;
    std::string m_patched;
    bool m_ok = false;
};

} // namespace tessaro
