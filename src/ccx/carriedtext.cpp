#include "ccx/carriedtext.h"

#include <algorithm>
#include <utility>

namespace tessaro {

namespace {

std::string replaceAll(std::string_view text, std::string_view what, std::string_view by) {
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (auto found = text.find(what); found != std::string_view::npos;
         found = text.find(what, start)) {
        result.append(text.substr(start, found - start)).append(by);
        start = found + what.size();
    }
    result.append(text.substr(start));
    return result;
}

// Every line break, whether CR LF, a lone CR or a lone LF, as `by`.
std::string replaceLineBreaks(std::string_view text, std::string_view by) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            result += by;
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (text[i] == '\n') {
            result += by;
        } else {
            result += text[i];
        }
    }
    return result;
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// (find_first_of would search its two bytes at every byte of the text.)
bool hasLineBreak(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
}

// The reader ends a page at a line "]]>" after its first line.
bool hasEndMarkerLine(std::string_view text) {
    for (auto found = text.find("\r\n]]>"); found != std::string_view::npos;
         found = text.find("\r\n]]>", found + 1)) {
        const auto end = found + 5;
        if (end == text.size() || text[end] == '\r')
            return true;
    }
    return false;
}

} // namespace

// Each text is looked at before it is rewritten: the usual one needs nothing
// and is taken as it is, without building it again piece by piece.

bool titleIsCarried(std::string_view title) {
    return !hasLineBreak(title) && !contains(title, "<!--") && !contains(title, "-->");
}

std::string carriedTitle(std::string_view title) {
    if (titleIsCarried(title))
        return std::string(title);
    // "-->" last: putting a space after "--" cannot make a new "<!--".
    return replaceAll(replaceAll(replaceLineBreaks(title, " "), "<!--", "<! --"), "-->", "-- >");
}

std::string carriedLevelAuthor(std::string_view author) {
    if (!hasLineBreak(author) && !contains(author, "<!--"))
        return std::string(author);
    return replaceAll(replaceLineBreaks(author, " "), "<!--", "<! --");
}

std::string carriedSetText(std::string_view text) {
    if (!hasLineBreak(text))
        return std::string(text);
    return replaceLineBreaks(text, " ");
}

std::string attributeText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto rest = text.substr(i);
        if (rest.front() == '"')
            result += "&quot;";
        else if (rest.starts_with("&quot;") || rest.starts_with("&amp;"))
            result += "&amp;";
        else
            result += rest.front();
    }
    return result;
}

std::string textOfAttribute(std::string_view attribute) {
    if (!contains(attribute, "&"))
        return std::string(attribute);
    return replaceAll(replaceAll(attribute, "&quot;", "\""), "&amp;", "&");
}

std::string carriedCompatAttributes(std::string_view attributes) {
    const bool keepsARuleset = contains(attributes, "ms=\"") || contains(attributes, "lynx=\"") ||
                               contains(attributes, "pedantic=\"");
    if (keepsARuleset && !hasLineBreak(attributes) && !contains(attributes, ">") &&
        !contains(attributes, "<!--") && !contains(attributes, "author=") &&
        !contains(attributes, "<level number="))
        return std::string(attributes);
    // ">" first: dropping it could join "<!-" and "-".
    auto text = replaceAll(replaceLineBreaks(attributes, " "), ">", "");
    text = replaceAll(text, "<!--", "<! --");
    text = replaceAll(text, "author=", "author =");
    text = replaceAll(text, "<level number=", "<level number =");
    if (!contains(text, "ms=\"") && !contains(text, "lynx=\"") && !contains(text, "pedantic=\""))
        text.clear();
    return text;
}

LineBreakCounts countLineBreaks(std::string_view text) {
    // The usual text has CR LF throughout: every CR is followed by an LF and
    // every LF follows a CR, so at no byte does "this is a CR" differ from
    // "the next is an LF". Counted without branches in byte-sized counters,
    // which the compiler turns into vector code: this runs over every page of
    // every file read and written.
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    if (size == 0)
        return {};
    std::size_t lfs = bytes[0] == '\n';
    std::size_t odd = bytes[0] == '\n' || bytes[size - 1] == '\r';
    // Blocks of 240 bytes: at most 255 fit a counter, and 240 leaves no
    // bytes over for vectors of 16.
    for (std::size_t block = 0; block + 1 < size; block += 240) {
        const std::size_t end = std::min(block + 240, size - 1);
        unsigned char blockLfs = 0;
        unsigned char blockOdd = 0;
        for (std::size_t i = block; i < end; ++i) {
            const unsigned char nextIsLf = bytes[i + 1] == '\n';
            blockLfs += nextIsLf;
            blockOdd += static_cast<unsigned char>((bytes[i] == '\r') ^ nextIsLf);
        }
        lfs += blockLfs;
        odd += blockOdd;
    }
    if (odd == 0)
        return {lfs, 0, 0};

    LineBreakCounts counts;
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] == '\r' && i + 1 < size && bytes[i + 1] == '\n') {
            ++counts.crLf;
            ++i;
        } else if (bytes[i] == '\r') {
            ++counts.loneCr;
        } else if (bytes[i] == '\n') {
            ++counts.loneLf;
        }
    }
    return counts;
}

bool pageTextIsCarried(std::string_view text) {
    // Every CR is followed by an LF and every LF follows a CR.
    const auto breaks = countLineBreaks(text);
    if (breaks.loneCr != 0 || breaks.loneLf != 0)
        return false;
    return !contains(text, "]]>") || !hasEndMarkerLine(text);
}

std::string carriedPageText(std::string_view text) {
    if (pageTextIsCarried(text))
        return std::string(text);
    const auto lines = replaceLineBreaks(text, "\r\n");
    std::string carried;
    carried.reserve(lines.size() + 16);
    std::size_t start = 0;
    while (true) {
        const auto end = lines.find("\r\n", start);
        const auto line =
            std::string_view(lines).substr(start, end == std::string::npos ? end : end - start);
        carried += start > 0 && line == "]]>" ? "]]&gt;" : line;
        if (end == std::string::npos)
            return carried;
        carried += "\r\n";
        start = end + 2;
    }
}

CcxDocument carriedDocument(const CcxDocument& document) {
    CcxDocument carried = document;
    carried.fileName.clear();
    carried.levelCount = std::clamp<std::int16_t>(document.levelCount, 0, kMaxCcxLevels);
    carried.description = carriedSetText(document.description);
    carried.author = carriedSetText(document.author);
    carried.dropLevelsAbove(carried.levelCount);
    static const CcxLevel emptyLevel;
    static const CcxPageList emptyList;
    for (int number = 1; number <= carried.levelCount; ++number) {
        // Levels never filled in stay as they are and take no memory.
        if (std::as_const(carried).level(number) == emptyLevel)
            continue;
        auto& level = carried.level(number);
        level.title = carriedTitle(level.title);
        level.author = carriedLevelAuthor(level.author);
        level.compatAttributes = carriedCompatAttributes(level.compatAttributes);
        for (auto* list : {&level.prologue, &level.epilogue}) {
            if (std::as_const(*list) == emptyList)
                continue;
            list->count = std::min<std::uint8_t>(list->count, kMaxCcxPages);
            for (int pageNumber = 1; pageNumber <= kMaxCcxPages; ++pageNumber) {
                auto& page = list->page(pageNumber);
                if (pageNumber > list->count)
                    page = CcxPage{};
                page.hasOwnColors = page.hasOwnColors == 1 ? 1 : 0;
                if (page.hasOwnColors == 0)
                    page.backColor = page.fontColor = 0;
                page.text = carriedPageText(page.text);
            }
        }
    }
    return carried;
}

} // namespace tessaro
