#include "common/safewriter.h"

#include "common/paths.h"
#include "common/processidentity.h"
#include "common/textfile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
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
        if (injectedFailureAt(WriteStep::Flush))
            return false;
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

// The process this one is, as the temporary files of its saves name it.
StartedProcess thisProcess() {
#ifdef _WIN32
    const auto id = static_cast<std::int64_t>(GetCurrentProcessId());
#else
    const auto id = static_cast<std::int64_t>(::getpid());
#endif
    return identifyProcess(id).value_or(StartedProcess{id, 0});
}

// The name a temporary file starts with, for a destination of this name: the
// name is cut short so the whole fits in the 255 characters a file name may
// have.
std::string temporaryStem(const std::filesystem::path& destination) {
    auto name = destination.filename().native();
    name.resize(std::min<std::size_t>(name.size(), 100));
    return fromPath(name) + ".tessaro-";
}

// "<name>.tessaro-<process id>-<process start>-<number>.tmp" beside the
// destination.
std::filesystem::path temporaryBeside(const std::filesystem::path& destination) {
    static const StartedProcess self = thisProcess();
    static unsigned counter = 0;
    return destination.parent_path() /
           toPath(temporaryStem(destination) + std::to_string(self.id) + "-" +
                  std::to_string(self.startTime) + "-" + std::to_string(++counter) + ".tmp");
}

// The process that made the temporary file of this name, when it is one of
// ours for a destination with this stem.
std::optional<StartedProcess> makerOf(std::string_view name, std::string_view stem) {
    constexpr std::string_view kEnd = ".tmp";
    if (name.size() <= stem.size() + kEnd.size() || name.substr(0, stem.size()) != stem ||
        name.substr(name.size() - kEnd.size()) != kEnd)
        return std::nullopt;
    const char* at = name.data() + stem.size();
    const char* end = name.data() + name.size() - kEnd.size();
    std::uint64_t numbers[3];
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && (at == end || *at++ != '-'))
            return std::nullopt;
        const auto parsed = std::from_chars(at, end, numbers[i]);
        if (parsed.ec != std::errc())
            return std::nullopt;
        at = parsed.ptr;
    }
    if (at != end)
        return std::nullopt;
    return StartedProcess{static_cast<std::int64_t>(numbers[0]), numbers[1]};
}

// A plain file that this user owns: what an interrupted save of ours leaves.
bool isOwnPlainFile(const std::filesystem::path& path) {
#ifdef _WIN32
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() ==
           std::filesystem::file_type::regular;
#else
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           status.st_uid == ::geteuid();
#endif
}

// Removes from the folder what interrupted saves of these destinations left:
// temporary files made by processes that are gone. A file of another program
// (another name, another owner, not a plain file) or of a save that may still
// be running is never touched.
void removeLeftovers(const std::filesystem::path& folder,
                     const std::vector<std::filesystem::path>& destinations) {
    std::vector<std::string> stems;
    for (const auto& destination : destinations)
        stems.push_back(temporaryStem(destination));
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const auto name = fromPath(entries->path().filename());
        for (const auto& stem : stems) {
            const auto maker = makerOf(name, stem);
            if (maker && isOwnPlainFile(entries->path()) && !processIsRunning(*maker)) {
                std::error_code ignored;
                std::filesystem::remove(entries->path(), ignored);
                break;
            }
        }
    }
}

// Waits until the folder's entries (a new name, a rename) are on the disk. A
// file system that has no such flush for folders has nothing to wait for.
bool flushFolder(const std::filesystem::path& folder) {
    if (injectedFailureAt(WriteStep::FlushFolder))
        return false;
#ifdef _WIN32
    (void)folder; // the move over the target was written through
    return true;
#else
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool flushed = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    ::close(fd);
    return flushed;
#endif
}

// Renames the file over the target; on Windows written through to the disk.
bool renameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (injectedFailureAt(WriteStep::Rename))
        return false;
#ifdef _WIN32
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return !error;
#endif
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

bool flushFilesIn(const std::vector<std::filesystem::path>& folders) {
    for (const auto& folder : folders) {
        if (injectedFailureAt(WriteStep::Flush))
            return false;
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

bool flushFilesIn(const std::vector<std::filesystem::path>&) {
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
    if (!m_destination.empty())
        removeLeftovers(m_destination.parent_path(), {m_destination});
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
        written = written && file->flush();
    written = file->close() && written;
    if (!written) {
        discard();
        return false;
    }
    return true;
}

bool SafeWriter::commit() {
    return renameOverDestination() && flushFolder(m_destination.parent_path());
}

std::size_t SafeWriter::commitTogether(std::initializer_list<SafeWriter*> writers) {
    std::size_t renamed = 0;
    std::vector<std::filesystem::path> folders;
    for (SafeWriter* writer : writers) {
        if (!writer->renameOverDestination())
            break;
        ++renamed;
        const auto folder = writer->m_destination.parent_path();
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    for (const auto& folder : folders)
        flushFolder(folder);
    return renamed;
}

bool SafeWriter::renameOverDestination() {
    if (m_temporary.empty())
        return false;
    if (!renameOver(m_temporary, m_destination)) {
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
        // The folders of the batch, each with the files the batch replaces
        // in it; each folder is searched for leftovers once.
        std::vector<std::pair<std::filesystem::path, std::vector<std::filesystem::path>>> folders;
        for (std::size_t i = first; i < last; ++i) {
            auto& writer = writers[i - first].emplace(files[i].first);
            if (!writer.destination().has_filename())
                continue; // links in a circle: prepare refuses it
            const auto folder = writer.destination().parent_path();
            auto found = std::find_if(folders.begin(), folders.end(),
                                      [&](const auto& known) { return known.first == folder; });
            if (found == folders.end())
                found = folders.insert(folders.end(), {folder, {}});
            found->second.push_back(writer.destination());
        }
        std::vector<std::filesystem::path> folderPaths;
        for (const auto& [folder, destinations] : folders) {
            removeLeftovers(folder, destinations);
            folderPaths.push_back(folder);
        }
        for (std::size_t i = first; i < last; ++i)
            writers[i - first]->prepare(files[i].second, !together);
        // Unless every new file is on the disk, none replaces its target; the
        // writers remove them as they go.
        if (together && !flushFilesIn(folderPaths))
            continue;
        for (std::size_t i = first; i < last; ++i)
            replaced[i] = writers[i - first]->renameOverDestination();
        // The renames reach the disk with one flush of each folder; a file
        // whose folder cannot be flushed is not counted as replaced.
        for (const auto& folder : folderPaths) {
            const auto inFolder = [&](std::size_t i) {
                return replaced[i] && writers[i - first]->destination().parent_path() == folder;
            };
            bool renamed = false;
            for (std::size_t i = first; i < last; ++i)
                renamed = renamed || inFolder(i);
            if (!renamed || flushFolder(folder))
                continue;
            for (std::size_t i = first; i < last; ++i)
                if (inFolder(i))
                    replaced[i] = false;
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
