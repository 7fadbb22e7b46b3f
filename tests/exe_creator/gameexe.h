#pragma once

#include <cstdint>
#include <string>

#ifdef __unix__
#include <csignal>
#include <sys/resource.h>
#endif

namespace tessaro::test {

// A stand-in for a game executable: every byte differs from its neighbours,
// so a stray write anywhere shows up.
inline std::string makeGameExe(std::size_t size = 48000) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + 3) % 251);
    return bytes;
}

// The two bytes of a 16-bit level as the game stores it, low byte first.
inline std::string levelBytes(std::uint16_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

// The bytes expected after the last levels are written.
inline std::string withLevels(std::string bytes, std::uint16_t fake, std::uint16_t real) {
    for (const std::size_t offset : {37305, 47892})
        bytes.replace(offset, 2, levelBytes(fake));
    for (const std::size_t offset : {37312, 47636, 47900})
        bytes.replace(offset, 2, levelBytes(real));
    return bytes;
}

#ifdef __unix__
// Lets the process write files no bigger than the limit while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};
#endif

} // namespace tessaro::test
