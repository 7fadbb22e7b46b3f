#include "common/safewriter.h"

#include "common/paths.h"
#include "common/textfile.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tessaro {

namespace {

struct InjectedFailure {
    WriteStep step;
    int passes;
    int failures;
};
std::optional<InjectedFailure> g_injectedFailure;

bool injectedFailureAt(WriteStep step) {
    if (!g_injectedFailure || g_injectedFailure->step != step || g_injectedFailure->failures == 0)
        return false;
    if (g_injectedFailure->passes > 0) {
        --g_injectedFailure->passes;
        return false;
    }
    --g_injectedFailure->failures;
    return true;
}

// A file descriptor of the system's own file API, closed when it goes.
class NativeFile {
public:
    // Creates the file; fails when a file of that name is already there.
    explicit NativeFile(const std::filesystem::path& path) {
#ifdef _WIN32
        m_fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                      _S_IREAD | _S_IWRITE);
#else
        m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
    }
    ~NativeFile() {
        close();
    }
    NativeFile(const NativeFile&) = delete;
    NativeFile& operator=(const NativeFile&) = delete;

    bool isOpen() const {
        return m_fd >= 0;
    }

    bool write(std::string_view bytes) {
        while (!bytes.empty()) {
            const auto chunk = std::min<std::size_t>(bytes.size(), std::size_t{1} << 20);
#ifdef _WIN32
            const auto written = _write(m_fd, bytes.data(), static_cast<unsigned>(chunk));
#else
            const auto written = ::write(m_fd, bytes.data(), chunk);
            if (written < 0 && errno == EINTR)
                continue;
#endif
            if (written <= 0)
                return false;
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

    // Waits until the bytes are on the disk, not only in the system's cache.
    bool flush() {
#ifdef _WIN32
        return _commit(m_fd) == 0;
#else
        return ::fsync(m_fd) == 0;
#endif
    }

    bool close() {
        if (m_fd < 0)
            return true;
#ifdef _WIN32
        const int result = _close(m_fd);
#else
        const int result = ::close(m_fd);
#endif
        m_fd = -1;
        return result == 0;
    }

private:
    int m_fd = -1;
};

// Follows symbolic links to the file they name. Empty when they go round.
std::filesystem::path followLinks(std::filesystem::path path) {
    for (int depth = 0; depth < 40; ++depth) {
        std::error_code error;
        if (!std::filesystem::is_symlink(path, error))
            return path;
        const auto next = std::filesystem::read_symlink(path, error);
        if (error)
            return path;
        path = (next.is_absolute() ? next : path.parent_path() / next).lexically_normal();
    }
    return {};
}

// "<name>.tessaro-<number>.tmp" beside the destination. The name is cut short
// so the whole fits in the 255 characters a file name may have.
std::filesystem::path temporaryBeside(const std::filesystem::path& destination) {
    static const unsigned seed = std::random_device{}();
    static unsigned counter = 0;
    auto name = destination.filename().native();
    name.resize(std::min<std::size_t>(name.size(), 100));
    name += toPath(".tessaro-" + std::to_string(seed) + "-" + std::to_string(++counter) + ".tmp")
                .native();
    return destination.parent_path() / name;
}

bool hasNoWriteBit(std::filesystem::perms permissions) {
    using std::filesystem::perms;
    return (permissions & (perms::owner_write | perms::group_write | perms::others_write)) ==
           perms::none;
}

#ifdef __linux__
// One syncfs for each folder of a batch (usually there is one) flushes every
// new file in it at once.
constexpr bool kFlushTogether = true;

bool flushFolders(const std::vector<std::filesystem::path>& folders) {
    for (const auto& folder : folders) {
        const int fd =
            ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const bool flushed = fd >= 0 && ::syncfs(fd) == 0;
        if (fd >= 0)
            ::close(fd);
        if (!flushed)
            return false;
    }
    return true;
}
#else
constexpr bool kFlushTogether = false;

bool flushFolders(const std::vector<std::filesystem::path>&) {
    return true;
}
#endif

} // namespace

SafeWriter::SafeWriter(const std::filesystem::path& target) : m_destination(followLinks(target)) {}

SafeWriter::~SafeWriter() {
    discard();
}

void SafeWriter::discard() {
    if (m_temporary.empty())
        return;
    std::error_code error;
    std::filesystem::remove(m_temporary, error);
    m_temporary.clear();
}

bool SafeWriter::prepare(std::string_view bytes) {
    return prepare(bytes, true);
}

bool SafeWriter::prepare(std::string_view bytes, bool flush) {
    discard();
    if (m_destination.empty() || !m_destination.has_filename())
        return false;
    std::error_code error;
    const auto old = std::filesystem::status(m_destination, error);
    const bool replacing = std::filesystem::exists(old);
    if (replacing && (!std::filesystem::is_regular_file(old) || isReadOnlyFile(m_destination)))
        return false;

    if (injectedFailureAt(WriteStep::Open))
        return false;
    std::filesystem::path temporary;
    std::optional<NativeFile> file;
    // A file of the chosen name (a leftover, another program's) is never
    // opened: another name is tried instead.
    for (int attempt = 0; attempt < 100 && !(file && file->isOpen()); ++attempt) {
        temporary = temporaryBeside(m_destination);
        file.emplace(temporary);
        if (!file->isOpen() && errno != EEXIST)
            break;
    }
    if (!file->isOpen())
        return false;
    m_temporary = temporary;
    if (replacing) {
        // Before any byte is written, so the new contents are never more open
        // to others than the old ones were. A file system without permission
        // bits has none to keep.
        std::filesystem::permissions(m_temporary, old.permissions(),
                                     std::filesystem::perm_options::replace, error);
    }

    bool written = false;
    if (injectedFailureAt(WriteStep::Write))
        file->write(bytes.substr(0, bytes.size() / 2)); // a disk that fills up part-way
    else
        written = file->write(bytes);
    if (flush)
        written = written && !injectedFailureAt(WriteStep::Flush) && file->flush();
    written = file->close() && written;
    if (!written) {
        discard();
        return false;
    }
    return true;
}

bool SafeWriter::commit() {
    if (m_temporary.empty())
        return false;
    std::error_code error;
    if (injectedFailureAt(WriteStep::Rename))
        error = std::make_error_code(std::errc::permission_denied);
    else
        std::filesystem::rename(m_temporary, m_destination, error);
    if (error) {
        discard();
        return false;
    }
    m_temporary.clear();
    return true;
}

bool replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    SafeWriter writer(path);
    return writer.prepare(bytes) && writer.commit();
}

std::vector<bool>
replaceFilesAtomically(const std::vector<std::pair<std::filesystem::path, std::string>>& files) {
    std::vector<bool> replaced(files.size(), false);
    // Batches of a bounded size, so that one cut short (the power going)
    // leaves at most that many temporary files behind.
    constexpr std::size_t kBatch = 1000;
    constexpr std::size_t kFewFiles = 8;
    for (std::size_t first = 0; first < files.size(); first += kBatch) {
        const auto last = std::min(files.size(), first + kBatch);
        // A few files are flushed one by one: a flush of the whole disk
        // would also wait for what other programs have written.
        const bool together = kFlushTogether && last - first > kFewFiles;
        std::vector<std::optional<SafeWriter>> writers(last - first);
        std::vector<std::filesystem::path> folders;
        for (std::size_t i = first; i < last; ++i) {
            auto& writer = writers[i - first].emplace(files[i].first);
            if (!writer.prepare(files[i].second, !together))
                continue;
            const auto folder = writer.m_temporary.parent_path();
            if (std::find(folders.begin(), folders.end(), folder) == folders.end())
                folders.push_back(folder);
        }
        // Unless every new file is on the disk, none replaces its target; the
        // writers remove them as they go.
        if (together && !flushFolders(folders))
            continue;
        for (std::size_t i = first; i < last; ++i) {
            auto& writer = *writers[i - first];
            const bool flushed = !together || writer.m_temporary.empty() ||
                                 !injectedFailureAt(WriteStep::Flush);
            replaced[i] = flushed && writer.commit();
        }
    }
    return replaced;
}

bool copyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::error_code error;
    if (std::filesystem::equivalent(source, target, error))
        return true;
    const auto bytes = readFileBytes(source);
    return bytes && replaceFileAtomically(target, *bytes);
}

bool isReadOnlyFile(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        return false;
    if (hasNoWriteBit(status.permissions()))
        return true;
#ifndef _WIN32
    // Another user's file, or a file on a read-only disk. Root passes this
    // test for every file, so the permission bits above decide for root.
    if (::access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS))
        return true;
#endif
    return false;
}

ScopedWriteFailure::ScopedWriteFailure(WriteStep step, int passes, int failures)
    : m_failures(failures) {
    g_injectedFailure = InjectedFailure{step, passes, failures};
}

int ScopedWriteFailure::failedWrites() const {
    return g_injectedFailure ? m_failures - g_injectedFailure->failures : 0;
}

ScopedWriteFailure::~ScopedWriteFailure() {
    g_injectedFailure.reset();
}

} // namespace tessaro
