#include "ccf/ccffile.h"

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

std::optional<std::vector<std::string>> parseCcfFields(std::string_view bytes, std::size_t count) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    while (fields.size() < count) {
        while (at < bytes.size() && isBlank(bytes[at]))
            ++at;
        if (at >= bytes.size())
            return std::nullopt;
        if (bytes[at] == '"') {
            const auto close = bytes.find('"', at + 1);
            const auto end = close == std::string_view::npos ? bytes.size() : close;
            fields.emplace_back(bytes.substr(at + 1, end - at - 1));
            at = close == std::string_view::npos ? bytes.size() : close + 1;
            // Anything between the closing quote and the delimiter is ignored.
            while (at < bytes.size() && bytes[at] != ',' && !isLineEnd(bytes[at]))
                ++at;
        } else {
            const auto start = at;
            while (at < bytes.size() && bytes[at] != ',' && !isLineEnd(bytes[at]))
                ++at;
            auto end = at;
            while (end > start && isBlank(bytes[end - 1]))
                --end;
            fields.emplace_back(bytes.substr(start, end - start));
        }
        skipDelimiter(bytes, at);
    }
    return fields;
}

std::optional<std::vector<std::string>> readCcfFields(const std::filesystem::path& path,
                                                      std::size_t count) {
    const auto bytes = readFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return parseCcfFields(*bytes, count);
}

} // namespace tessaro
