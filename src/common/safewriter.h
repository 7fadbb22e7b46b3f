#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessaro {

// Every save that replaces a player's file goes through here. The new bytes
// go into a temporary file beside the file, are flushed to disk, and only then
// renamed over it, so the old file stays whole until the new one is complete:
// - through a symbolic link, the file the link names is replaced (its
//   temporary file beside it) and the link stays a link;
// - the old file's permission bits are kept;
// - a read-only file is refused and left untouched (see isReadOnlyFile);
// - a folder in the way is never replaced;
// - on any failure the temporary file is removed and the caller is told;
// - after the rename the folder is flushed too, so a save that reported
//   success survives a power cut.
// The temporary file's name says it is Tessaro's and which process made it
// ("<name>.tessaro-<process id>-<process start>-<number>.tmp"): before a save,
// what saves of the same file left when their process ended mid-way (a crash,
// a power cut) is removed, never a file of another program or of a save whose
// process still runs.
// A missing file is created. Two writers can be prepared first and committed
// after, so that two files change together or not at all.
class SafeWriter {
public:
    explicit SafeWriter(const std::filesystem::path& target);
    // A prepared file that was never committed is removed.
    ~SafeWriter();
    SafeWriter(const SafeWriter&) = delete;
    SafeWriter& operator=(const SafeWriter&) = delete;

    // Writes the bytes into the temporary file and flushes them to disk. False
    // when the target is read-only or not a file, or writing fails; nothing is
    // left behind then.
    bool prepare(std::string_view bytes);

    // Renames the prepared file over the target and flushes its folder. False
    // when nothing is prepared or the rename fails (the old file is then as it
    // was), or when the folder could not be flushed (the new file is then in
    // place, but may not survive a power cut).
    bool commit();

    // Commits files that change together: renames each prepared file over its
    // target in order, stopping at the first rename that fails (that file and
    // the ones after it are as they were), then flushes each folder once. The
    // number of files renamed. A folder that cannot be flushed leaves its new
    // files in place and together, which is what the caller asked for, so it
    // does not count against them.
    static std::size_t commitTogether(std::initializer_list<SafeWriter*> writers);

    // The file that is replaced: the target, or the file its links lead to.
    // Empty when the links go round in a circle.
    const std::filesystem::path& destination() const { return m_destination; }

private:
    friend std::vector<bool>
    replaceFilesAtomically(const std::vector<std::pair<std::filesystem::path, std::string>>& files);

    // prepare, with the flush to disk left to the caller when flush is false.
    bool prepare(std::string_view bytes, bool flush);
    // commit, with the flush of the folder left to the caller.
    bool renameOverDestination();
    void discard();

    std::filesystem::path m_destination;
    std::filesystem::path m_temporary; // empty while nothing is prepared
};

// Replaces (or creates) the file with the bytes in one step, as SafeWriter
// does. False when that did not happen.
bool replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Replaces (or creates) each file with its bytes as replaceFileAtomically
// does, but flushes the new files to disk together before any of them is
// renamed over its target: a batch of thousands of small files waits for the
// disk a few times instead of once a file (on Linux, for more than a few
// files; otherwise each file is flushed on its own). One result per file, true
// when it was replaced; a file that fails does not stop the others.
std::vector<bool>
replaceFilesAtomically(const std::vector<std::pair<std::filesystem::path, std::string>>& files);

// Reads source and writes its bytes over target in one step, so a failed copy
// leaves the old target whole. False when the source cannot be read or the
// target cannot be replaced; true at once when both are the same file.
bool copyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target);

// True for an existing file that is marked read-only: no write permission bit
// is set (the read-only attribute on Windows), or elsewhere the system says
// this user may not write it. Decided from the file's marks, not by trying to
// open it, so it holds when Tessaro runs with every right (as root).
bool isReadOnlyFile(const std::filesystem::path& path);

// For tests: the steps of a safe write, and a stand-in for a full disk or a
// file in use. While a ScopedWriteFailure lives, writes that reach its step
// after `passes` others have passed it fail there, `failures` times: at Open
// the temporary file cannot be made, at Write only half the bytes are written,
// at Flush the flush to disk fails, at Rename the rename over the target fails,
// at FlushFolder the flush of the folder after the rename fails. Each step is
// counted where its call is made, so a save that skips the call never meets it.
enum class WriteStep { Open, Write, Flush, Rename, FlushFolder };

class ScopedWriteFailure {
public:
    explicit ScopedWriteFailure(WriteStep step, int passes = 0, int failures = 1);
    ~ScopedWriteFailure();
    ScopedWriteFailure(const ScopedWriteFailure&) = delete;
    ScopedWriteFailure& operator=(const ScopedWriteFailure&) = delete;

    // How many writes have failed here so far, so a test knows its save
    // reached the step.
    int failedWrites() const;

private:
    int m_failures;
};

} // namespace tessaro
