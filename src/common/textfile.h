#pragma once

#include <algorithm>
#include <cstddef>
#include <filesystem>
#ifdef _WIN32
#include <fstream>
#endif
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// Splits single-byte text into lines; CR LF, a lone CR and a lone LF each end
// a line. A final line without a line end is kept; a final line end does not
// make an extra empty line. Bytes are never changed.
std::vector<std::string> splitLines(std::string_view bytes);

// Each line followed by CR LF.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

// Walking the lines of text without splitting it. Offsets count bytes from
// the start of the text; line ends are those of splitLines.
//
// The offset of the first line that begins with the byte first (not a line
// end byte), searched from from on (a line start); npos when there is none.
std::size_t findLineStartingWith(std::string_view bytes, char first, std::size_t from = 0);
// The line that begins at start, without its line end.
std::string_view lineAt(std::string_view bytes, std::size_t start);
// Where the line after the one beginning at start begins; bytes.size() after
// the last line.
std::size_t nextLineStart(std::string_view bytes, std::size_t start);

// Appends joinLinesCrLf(splitLines(text)): the text's lines, each followed by
// CR LF. Text already in that form is appended as it is, in one piece.
void appendLinesCrLf(std::string& out, std::string_view text);

// A file's bytes in memory of their own, which is not cleared before the
// bytes are read into it: a file of megabytes is not written to twice. Read
// them as a string_view; str() copies them into a string.
class FileBytes {
public:
    FileBytes() = default;
    // size bytes that hold whatever the memory held: each must be written
    // before it is read.
    explicit FileBytes(std::size_t size)
        : m_data(std::make_unique_for_overwrite<char[]>(size)), m_size(size) {}

    char* data() { return m_data.get(); }
    const char* data() const { return m_data.get(); }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    // Keeps the first size bytes (never more than there are).
    void truncate(std::size_t size) { m_size = std::min(size, m_size); }

    std::string_view view() const { return {m_data.get(), m_size}; }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }

    friend bool operator==(const FileBytes& bytes, std::string_view other) {
        return bytes.view() == other;
    }

private:
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
};

// The whole file as bytes, or nothing when it cannot be read (a folder cannot).
std::optional<FileBytes> readFileBytes(const std::filesystem::path& path);

// A hash of bytes given piece by piece, the same however they are cut: a
// file's bytes hashed as they are read, to be compared with the hash of the
// file later or of the bytes written over it.
class BytesHash {
public:
    void add(std::string_view bytes);
    // The hash of everything added so far.
    std::size_t value() const;

private:
    void addChunk(std::string_view chunk);

    static constexpr std::size_t kChunk = 1024;
    std::size_t m_hash = 0;
    std::string m_partial; // the bytes of a chunk not yet full
};
// The BytesHash of bytes in one piece.
std::size_t hashOfBytes(std::string_view bytes);

// A file opened for reading piece by piece into the caller's memory; a
// folder cannot be opened.
class InputFile {
public:
    explicit InputFile(const std::filesystem::path& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const;
    // The size the system gives for the file (0 when it gives none); the
    // file may still grow or shrink while it is read.
    std::size_t sizeHint() const { return m_size; }
    // Reads up to size bytes into data: the number read, 0 at the end of the
    // file, negative on an error.
    std::ptrdiff_t readSome(char* data, std::size_t size);

private:
#ifdef _WIN32
    std::ifstream m_in;
    bool m_open = false;
#else
    int m_fd = -1;
#endif
    std::size_t m_size = 0;
};

// The lines, each ending in CR LF, written over the file through the safe
// writer (see replaceFileAtomically). False when the file was not written.
bool writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

} // namespace tessaro
