#include "common/textfile.h"

#include "common/safewriter.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <system_error>

namespace tessaro {

namespace {

// True when the text is empty or ends in a line end and every line end in it
// is CR LF: what appendLinesCrLf makes of it is then the text itself. A score
// file of megabytes is checked at memory speed.
bool endsEveryLineWithCrLf(std::string_view text) {
    const std::size_t size = text.size();
    if (size == 0)
        return true;
    if (size < 2 || text.back() != '\n' || text.front() == '\n')
        return false;
    // Each CR must be followed by an LF, and each LF follow a CR: the bytes
    // and the bytes one further on are compared 16 at a time in vector lanes
    // (GCC and Clang both have them).
    using Lanes = unsigned char __attribute__((vector_size(16)));
    const char* bytes = text.data();
    constexpr std::size_t kBlock = 64;
    std::size_t i = 0;
    for (; i + kBlock < size; i += kBlock) {
        Lanes lone = {};
        for (std::size_t j = i; j < i + kBlock; j += sizeof(Lanes)) {
            Lanes here, next;
            std::memcpy(&here, bytes + j, sizeof here);
            std::memcpy(&next, bytes + j + 1, sizeof next);
            lone |= reinterpret_cast<Lanes>((here == '\r') ^ (next == '\n'));
        }
        std::uint64_t halves[2];
        std::memcpy(halves, &lone, sizeof halves);
        if ((halves[0] | halves[1]) != 0)
            return false;
    }
    for (; i + 1 < size; ++i)
        if ((bytes[i] == '\r') != (bytes[i + 1] == '\n'))
            return false;
    return true;
}

} // namespace

std::vector<std::string> splitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size())
        lines.emplace_back(bytes.substr(start));
    return lines;
}

std::string joinLinesCrLf(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::size_t findLineStartingWith(std::string_view bytes, char first, std::size_t from) {
    while (from < bytes.size()) {
        const void* found = std::memchr(bytes.data() + from, first, bytes.size() - from);
        if (!found)
            return std::string_view::npos;
        const auto at = static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data());
        if (at == 0 || bytes[at - 1] == '\r' || bytes[at - 1] == '\n')
            return at;
        from = at + 1;
    }
    return std::string_view::npos;
}

std::string_view lineAt(std::string_view bytes, std::size_t start) {
    const auto line = bytes.substr(start);
    return line.substr(0, line.find_first_of("\r\n"));
}

std::size_t nextLineStart(std::string_view bytes, std::size_t start) {
    const auto end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos)
        return bytes.size();
    return end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
}

void appendLinesCrLf(std::string& out, std::string_view text) {
    if (endsEveryLineWithCrLf(text)) {
        out += text;
        return;
    }
    std::size_t start = 0;
    while (start < text.size()) {
        const auto next = nextLineStart(text, start);
        out += lineAt(text, start);
        out += "\r\n";
        start = next;
    }
}

std::optional<std::string> readFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return std::nullopt;
    // Straight into the string: a score file of megabytes is not copied
    // twice. Where the library can, into memory that is not cleared first (a
    // buffer of our own would cost a second copy into fresh memory, slower
    // than the clearing it saves).
    std::string bytes;
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > 0) {
        const auto readInto = [&in](char* data, std::size_t length) {
            in.read(data, static_cast<std::streamsize>(length));
            return static_cast<std::size_t>(in.gcount());
        };
#ifdef __cpp_lib_string_resize_and_overwrite
        bytes.resize_and_overwrite(static_cast<std::size_t>(size), readInto);
#else
        bytes.resize(static_cast<std::size_t>(size));
        bytes.resize(readInto(bytes.data(), bytes.size()));
#endif
    }
    // A file that grew since, or one whose size the system does not tell.
    char buffer[65536];
    while (in && (in.read(buffer, sizeof buffer) || in.gcount() > 0))
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return std::nullopt;
    return bytes;
}

bool writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    return replaceFileAtomically(path, joinLinesCrLf(lines));
}

} // namespace tessaro
