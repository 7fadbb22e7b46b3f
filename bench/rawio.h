#pragma once

// The floor the file benchmarks are measured against: the system's own calls,
// nothing else done.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaro::bench {

// The whole file into a string: open, one size query, read until the end.
inline std::string rawReadFile(const std::filesystem::path& path) {
    std::string bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0)
        bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    ::close(fd);
    return bytes;
}

// Bytes read into memory that was not cleared first.
struct RawBytes {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
};

// The whole file as rawReadFile reads it, into memory that is not zeroed
// before the read: what reading a file costs at the least.
inline RawBytes rawReadUncleared(const std::filesystem::path& path) {
    RawBytes bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    struct stat info {};
    const auto size = ::fstat(fd, &info) == 0 ? static_cast<std::size_t>(info.st_size) : 0;
    bytes.data.reset(new char[size]); // default-initialised: not cleared
    while (bytes.size < size) {
        const auto got = ::read(fd, bytes.data.get() + bytes.size, size - bytes.size);
        if (got <= 0)
            break;
        bytes.size += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return bytes;
}

// Creates (or truncates) the file and writes the bytes; with sync, waits
// until they are on the disk.
inline bool rawWriteFile(const std::filesystem::path& path, std::string_view bytes, bool sync) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    while (!bytes.empty()) {
        const auto written = ::write(fd, bytes.data(), bytes.size());
        if (written <= 0)
            break;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    const bool ok = bytes.empty() && (!sync || ::fsync(fd) == 0);
    return ::close(fd) == 0 && ok;
}

// Waits until the folder's entries (a rename) are on the disk.
inline bool rawFlushFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

// What a safe save cannot do with less: the bytes into a file beside the
// target, flushed to disk, renamed over the target.
inline bool rawReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
    auto temporary = path;
    temporary += ".raw.tmp";
    return rawWriteFile(temporary, bytes, true) &&
           std::rename(temporary.c_str(), path.c_str()) == 0;
}

} // namespace tessaro::bench
