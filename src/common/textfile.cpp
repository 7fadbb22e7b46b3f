#include "common/textfile.h"

#include "common/safewriter.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <functional>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

namespace {

// Memory for a file of megabytes is made ready in one step where the system
// can (Linux 5.14 on): fresh memory otherwise takes a fault for each 4 KB
// page the read first touches, which costs more than the copy itself.
void prepareMemory([[maybe_unused]] FileBytes& bytes) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    constexpr std::uintptr_t kPage = 4096;
    if (bytes.size() < 1024 * kPage)
        return;
    const auto start = reinterpret_cast<std::uintptr_t>(bytes.data());
    const auto first = (start + kPage - 1) & ~(kPage - 1);
    const auto last = (start + bytes.size()) & ~(kPage - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#endif
}

// Reads everything readSome gives (the bytes it put at the address, 0 at the
// end, negative on an error) into memory not cleared first, sized for the
// expected bytes at first. A file that grew since its size was asked for, or
// one whose size the system does not tell, grows the memory as it comes.
template <typename ReadSome>
std::optional<FileBytes> readAll(std::size_t expected, ReadSome readSome) {
    FileBytes bytes(expected);
    prepareMemory(bytes);
    std::size_t done = 0;
    while (true) {
        if (done < bytes.size()) {
            const auto got = readSome(bytes.data() + done, bytes.size() - done);
            if (got < 0)
                return std::nullopt;
            if (got == 0)
                break;
            done += static_cast<std::size_t>(got);
            continue;
        }
        // Full: whatever is left goes into a larger block.
        char more[65536];
        const auto got = readSome(more, sizeof more);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        const auto count = static_cast<std::size_t>(got);
        FileBytes larger(std::max(2 * done, done + count));
        std::memcpy(larger.data(), bytes.data(), done);
        std::memcpy(larger.data() + done, more, count);
        bytes = std::move(larger);
        done += count;
    }
    bytes.truncate(done);
    return bytes;
}

} // namespace

// The bytes are hashed in chunks of a fixed size from their start, so the
// same bytes give the same chunks however they came.
void BytesHash::add(std::string_view bytes) {
    while (!bytes.empty()) {
        if (m_partial.empty() && bytes.size() >= kChunk) {
            addChunk(bytes.substr(0, kChunk));
            bytes.remove_prefix(kChunk);
            continue;
        }
        const auto taken = bytes.substr(0, kChunk - m_partial.size());
        m_partial.append(taken);
        bytes.remove_prefix(taken.size());
        if (m_partial.size() == kChunk) {
            addChunk(m_partial);
            m_partial.clear();
        }
    }
}

void BytesHash::addChunk(std::string_view chunk) {
    m_hash = (m_hash ^ std::hash<std::string_view>{}(chunk)) * 0x100000001B3u + chunk.size();
}

std::size_t BytesHash::value() const {
    auto whole = *this;
    whole.addChunk(m_partial);
    return whole.m_hash;
}

std::size_t hashOfBytes(std::string_view bytes) {
    BytesHash hash;
    hash.add(bytes);
    return hash.value();
}

#ifdef _WIN32

InputFile::InputFile(const std::filesystem::path& path) : m_in(path, std::ios::binary) {
    std::error_code error;
    m_open = m_in && !std::filesystem::is_directory(path, error);
    const auto size = std::filesystem::file_size(path, error);
    m_size = error ? 0 : static_cast<std::size_t>(size);
}

InputFile::~InputFile() = default;

bool InputFile::isOpen() const {
    return m_open;
}

std::ptrdiff_t InputFile::readSome(char* data, std::size_t size) {
    m_in.read(data, static_cast<std::streamsize>(size));
    return m_in.bad() ? -1 : static_cast<std::ptrdiff_t>(m_in.gcount());
}

#else

InputFile::InputFile(const std::filesystem::path& path)
    : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    struct stat info {};
    if (m_fd >= 0 && (::fstat(m_fd, &info) != 0 || S_ISDIR(info.st_mode))) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_size = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0));
}

InputFile::~InputFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool InputFile::isOpen() const {
    return m_fd >= 0;
}

std::ptrdiff_t InputFile::readSome(char* data, std::size_t size) {
    ssize_t got;
    do
        got = ::read(m_fd, data, size);
    while (got < 0 && errno == EINTR);
    return got;
}

#endif

std::optional<FileBytes> readFileBytes(const std::filesystem::path& path) {
    InputFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    return readAll(file.sizeHint(),
                   [&file](char* data, std::size_t length) { return file.readSome(data, length); });
}

bool writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    return replaceFileAtomically(path, joinLinesCrLf(lines));
}

} // namespace tessaro
