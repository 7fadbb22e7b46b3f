#include "common/textfile.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <system_error>

namespace tessaro {

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

std::optional<std::string> readFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return std::nullopt;
    std::string bytes;
    const auto size = std::filesystem::file_size(path, error);
    if (!error)
        bytes.reserve(static_cast<std::size_t>(size));
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return std::nullopt;
    return bytes;
}

std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& path) {
    auto bytes = readFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return splitLines(*bytes);
}

namespace {

std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    // Appended as a path, so a name outside ASCII stays whole on Windows.
    auto name = target.filename();
    name +=
        ".tessaro-" + std::to_string(stamp % 1000000007) + "-" + std::to_string(counter++) + ".tmp";
    return target.parent_path() / name;
}

} // namespace

bool replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return false;
    const auto temporary = temporaryBeside(path);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

bool writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    return replaceFileAtomically(path, joinLinesCrLf(lines));
}

bool copyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(source, error))
        return false;
    if (std::filesystem::equivalent(source, target, error))
        return true;
    // Read, then write through the atomic replace: the standard library's
    // overwriting copy fails on Windows when the target exists, and a copy
    // that fails part-way must leave the old target whole.
    const auto bytes = readFileBytes(source);
    return bytes && replaceFileAtomically(target, *bytes);
}

} // namespace tessaro
