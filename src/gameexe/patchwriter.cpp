#include "gameexe/patchwriter.h"

#include "common/safewriter.h"
#include "common/textfile.h"

namespace tessaro {

PatchWriter::PatchWriter(const std::filesystem::path& executable)
    : PatchWriter(executable, executable) {}

PatchWriter::PatchWriter(const std::filesystem::path& source, std::filesystem::path target)
    : m_target(std::move(target)) {
    if (auto bytes = readFileBytes(source)) {
        m_original = bytes->str();
        m_patched = m_original;
        m_ok = true;
    }
}

void PatchWriter::writeAt(std::size_t offset, std::string_view bytes) {
    if (!m_ok)
        return;
    if (m_patched.size() < offset + bytes.size())
        m_patched.resize(offset + bytes.size(), '\0');
    m_patched.replace(offset, bytes.size(), bytes);
}

void PatchWriter::writeName(std::size_t offset, std::size_t width, std::string_view name) {
    std::string field(name.substr(0, width));
    field.resize(width, ' ');
    writeAt(offset, field);
}

void PatchWriter::writeLevel(std::size_t offset, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    const char bytes[2] = {static_cast<char>(bits & 0xFF), static_cast<char>(bits >> 8)};
    writeAt(offset, std::string_view(bytes, 2));
}

void PatchWriter::writeLevels(std::int16_t fake, std::int16_t real) {
    for (const auto offset : kFakeLevelOffsets)
        writeLevel(offset, fake);
    for (const auto offset : kRealLevelOffsets)
        writeLevel(offset, real);
}

void PatchWriter::writeIniName(std::string_view name) {
    writeName(kIniNameOffset, kIniNameWidth, name);
}

void PatchWriter::writeDataFileName(std::string_view name) {
    writeName(kDataNameOffset, kDataNameWidth, name);
}

void PatchWriter::writeSectionName(std::string_view name) {
    writeName(kSectionNameOffset, kSectionNameWidth, name);
}

bool PatchWriter::save() const {
    return m_ok && replaceFileAtomically(m_target, m_patched);
}

} // namespace tessaro
