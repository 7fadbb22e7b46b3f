#include "levelset/ccffile.h"

#include "common/codepage.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "common/safewriter.h"
#include "common/textfile.h"

namespace tessaro {

std::string formatCcfFile(std::string_view levelSetPath, std::string_view fakeLastLevel,
                          std::string_view realLastLevel, std::string_view ccfName) {
    std::string text;
    for (const auto field : {levelSetPath, fakeLastLevel, realLastLevel, ccfName}) {
        text += '"';
        text += field;
        text += "\"\r\n";
    }
    return text;
}

bool writeCcfFile(const std::filesystem::path& path, std::string_view levelSetPath,
                  std::string_view fakeLastLevel, std::string_view realLastLevel,
                  std::string_view ccfName) {
    return replaceFileAtomically(
        path, formatCcfFile(levelSetPath, fakeLastLevel, realLastLevel, ccfName));
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Moves past one delimiter (a comma, or a line end of one or two bytes).
void skipDelimiter(std::string_view bytes, std::size_t& at) {
    if (at >= bytes.size())
        return;
    if (bytes[at] == ',') {
        ++at;
    } else if (bytes[at] == '\r') {
        ++at;
        if (at < bytes.size() && bytes[at] == '\n')
            ++at;
    } else if (bytes[at] == '\n') {
        ++at;
    }
}

} // namespace

namespace {

constexpr const char* kTooFewFields =
    "a CCF file holds four fields: level set, fake and real last level, name";

// The fields and the line (counted from 1) each begins on.
struct FieldsRead {
    std::vector<std::string> fields;
    std::vector<std::size_t> lines;
};

ReadResult<FieldsRead> readFields(std::string_view bytes, std::size_t count) {
    FieldsRead read;
    std::size_t at = 0;
    std::size_t line = 1;
    // Counts the line ends in bytes [from, at).
    const auto countLines = [&](std::size_t from) {
        for (std::size_t i = from; i < at; ++i)
            if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= at || bytes[i + 1] != '\n')))
                ++line;
    };
    while (read.fields.size() < count) {
        while (at < bytes.size() && isBlank(bytes[at]))
            ++at;
        if (at >= bytes.size())
            return ReadError::atLine(line, kTooFewFields);
        read.lines.push_back(line);
        const auto start = at;
        if (bytes[at] == '"') {
            const auto close = bytes.find('"', at + 1);
            const auto end = close == std::string_view::npos ? bytes.size() : close;
            read.fields.emplace_back(bytes.substr(at + 1, end - at - 1));
            at = close == std::string_view::npos ? bytes.size() : close + 1;
            // Anything between the closing quote and the delimiter is ignored.
            while (at < bytes.size() && bytes[at] != ',' && !isLineEnd(bytes[at]))
                ++at;
        } else {
            while (at < bytes.size() && bytes[at] != ',' && !isLineEnd(bytes[at]))
                ++at;
            auto end = at;
            while (end > start && isBlank(bytes[end - 1]))
                --end;
            read.fields.emplace_back(bytes.substr(start, end - start));
        }
        skipDelimiter(bytes, at);
        countLines(start);
    }
    return read;
}

} // namespace

ReadResult<std::vector<std::string>> parseCcfFields(std::string_view bytes, std::size_t count) {
    auto read = readFields(bytes, count);
    if (!read)
        return read.error();
    return std::move(read->fields);
}

ReadResult<std::vector<std::string>> readCcfFields(const std::filesystem::path& path,
                                                   std::size_t count) {
    const auto bytes = readFileBytes(path);
    if (!bytes)
        return ReadError::unreadable("the file cannot be read");
    return parseCcfFields(*bytes, count);
}

ReadResult<CcfFile> parseCcfFile(std::string_view bytes) {
    auto read = readFields(bytes, 4);
    if (!read)
        return read.error();
    auto& fields = read->fields;
    CcfFile file{std::move(fields[0]), 0, 0, std::move(fields[3])};
    const char* names[] = {"fake", "real"};
    std::int16_t* levels[] = {&file.fakeLastLevel, &file.realLastLevel};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto level = toInt16(fields[i + 1]);
        if (!level)
            return ReadError::atLine(read->lines[i + 1],
                                     std::string("the ") + names[i] + " last level \"" +
                                         fields[i + 1] + "\" is not a number from -32768 to 32767");
        *levels[i] = *level;
    }
    return file;
}

ReadResult<CcfFile> readCcfFile(const std::filesystem::path& path) {
    const auto bytes = readFileBytes(path);
    if (!bytes)
        return ReadError::unreadable("the file cannot be read");
    return parseCcfFile(*bytes);
}

std::filesystem::path ccfLevelSetPath(const std::string& field) {
    auto path = toPath(fromWindows1252(field));
#ifndef _WIN32
    std::error_code error;
    if (!std::filesystem::exists(path, error) && std::filesystem::exists(toPath(field), error))
        path = toPath(field);
#endif
    return path;
}

} // namespace tessaro
