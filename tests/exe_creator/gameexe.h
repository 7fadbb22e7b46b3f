#pragma once

#include <cstdint>
#include <string>

namespace tessaro::test {

// A stand-in for a game executable: every byte differs from its neighbours,
// so a stray write anywhere shows up.
inline std::string makeGameExe() {
    std::string bytes(48000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 7 + 3) % 251);
    return bytes;
}

// The bytes expected after the last levels (16 bits, low byte first) and the
// data and INI names, padded with spaces, are written.
inline std::string patched(std::string bytes, std::uint16_t fake, std::uint16_t real,
                           const std::string& dat = "", const std::string& ini = "") {
    const auto put = [&bytes](std::size_t at, std::uint16_t level) {
        bytes.replace(at, 2, {static_cast<char>(level & 0xFF), static_cast<char>(level >> 8)});
    };
    for (const std::size_t at : {37305, 47892})
        put(at, fake);
    for (const std::size_t at : {37312, 47636, 47900})
        put(at, real);
    if (!dat.empty())
        bytes.replace(19156, 9, dat + std::string(9 - dat.size(), ' '));
    if (!ini.empty())
        bytes.replace(19048, 11, ini + std::string(11 - ini.size(), ' '));
    return bytes;
}

} // namespace tessaro::test
