#pragma once

#include "gameexe/patchwriter.h"

namespace tessaro::test {

// A game executable whose every byte differs from its neighbours: a stray write shows.
inline std::string makeGameExe() {
    std::string bytes(48000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 7 + 3) % 251);
    return bytes;
}

// The executable with the levels and names written in.
inline std::string patched(const std::filesystem::path& exe, std::int16_t fake, std::int16_t real,
                           std::string_view dat = {}, std::string_view ini = {}) {
    PatchWriter writer(exe);
    writer.writeLevels(fake, real);
    if (!dat.empty())
        writer.writeDataFileName(dat);
    if (!ini.empty())
        writer.writeIniName(ini);
    return writer.patchedBytes();
}

} // namespace tessaro::test
