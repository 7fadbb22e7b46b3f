#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tessaro {

// Why a reader refused its input: where (a line counted from 1 for text files,
// a byte offset from 0 for binary ones; 0 and no offset when the file could
// not be read at all) and the problem in words, as `tessaro --check` prints it.
struct ReadError {
    std::size_t line = 0;
    std::optional<std::size_t> offset;
    std::string problem;

    static ReadError atLine(std::size_t line, std::string problem) {
        return {line, std::nullopt, std::move(problem)};
    }
    static ReadError atOffset(std::size_t offset, std::string problem) {
        return {0, offset, std::move(problem)};
    }
    // The file itself could not be opened or read.
    static ReadError unreadable(std::string problem) {
        return {0, std::nullopt, std::move(problem)};
    }
    // True for an error made by unreadable(): the file was never read.
    bool fileUnreadable() const { return line == 0 && !offset; }

    bool operator==(const ReadError&) const = default;
};

// What every reader returns: the value read, or why there is none. Never a
// part-read value.
template <typename T> class ReadResult {
public:
    ReadResult(T value) : m_result(std::move(value)) {}
    ReadResult(ReadError error) : m_result(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_result); }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    const T& value() const& { return std::get<T>(m_result); }
    T& value() & { return std::get<T>(m_result); }
    T&& value() && { return std::get<T>(std::move(m_result)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

    // Only when !ok().
    const ReadError& error() const { return std::get<ReadError>(m_result); }

    bool operator==(const ReadResult&) const = default;

private:
    std::variant<T, ReadError> m_result;
};

} // namespace tessaro
