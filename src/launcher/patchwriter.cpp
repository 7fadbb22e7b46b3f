#include "launcher/patchwriter.h"

#include <string>
#include <system_error>

namespace tessaro {

PatchWriter::PatchWriter(const std::filesystem::path& executable) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(executable, error))
        return;
    // in|out opens an existing file for update and never creates one.
    m_file.open(executable, std::ios::in | std::ios::out | std::ios::binary);
    m_ok = m_file.is_open();
}

bool PatchWriter::writeAt(std::streamoff offset, const char* bytes, std::size_t count) {
    if (!m_ok)
        return false;
    m_file.seekp(offset);
    m_file.write(bytes, static_cast<std::streamsize>(count));
    if (!m_file)
        m_ok = false;
    return m_ok;
}

bool PatchWriter::writeName(std::streamoff offset, std::size_t width, std::string_view name) {
    std::string field(name.substr(0, width));
    field.resize(width, ' ');
    return writeAt(offset, field.data(), field.size());
}

bool PatchWriter::writeLevel(std::streamoff offset, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    const char bytes[2] = {static_cast<char>(bits & 0xFF), static_cast<char>(bits >> 8)};
    return writeAt(offset, bytes, 2);
}

bool PatchWriter::writeLevels(std::int16_t fake, std::int16_t real) {
    bool written = writeLevel(kFakeLevelOffsets[0], fake);
    written = writeLevel(kFakeLevelOffsets[1], fake) && written;
    for (const auto offset : kRealLevelOffsets)
        written = writeLevel(offset, real) && written;
    return written;
}

bool PatchWriter::writeIniName(std::string_view name) {
    return writeName(kIniNameOffset, kIniNameWidth, name);
}

bool PatchWriter::writeDataFileName(std::string_view name) {
    return writeName(kDataNameOffset, kDataNameWidth, name);
}

bool PatchWriter::writeSectionName(std::string_view name) {
    return writeName(kSectionNameOffset, kSectionNameWidth, name);
}

bool PatchWriter::close() {
    if (m_file.is_open()) {
        m_file.flush();
        if (!m_file)
            m_ok = false;
        m_file.close();
    }
    return m_ok;
}

} // namespace tessaro
