#include "ccx/ccxwriter.h"

#include "ccx/htmlcolor.h"
#include "common/textfile.h"

#include <algorithm>

namespace tessaro {

namespace {

constexpr std::string_view kCrLf = "\r\n";

int writtenLevelCount(const CcxDocument& document) {
    return std::clamp<int>(document.levelCount, 0, kMaxCcxLevels);
}

int writtenPageCount(const CcxPageList& list) {
    return std::min<int>(list.count, kMaxCcxPages);
}

// Generous room for everything but the texts, so the output grows once.
std::size_t estimatedSize(const CcxDocument& document) {
    std::size_t size = 256 + document.description.size() + document.author.size();
    for (int number = 1; number <= writtenLevelCount(document); ++number) {
        const auto& level = document.level(number);
        size += 64 + level.title.size() + level.author.size() + level.compatAttributes.size();
        for (const auto* list : {&level.prologue, &level.epilogue}) {
            size += 32;
            for (int page = 1; page <= writtenPageCount(*list); ++page)
                size += 96 + list->page(page).text.size();
        }
    }
    return size;
}

void appendColors(std::string& out, std::string_view leading, ColorValue back, ColorValue font) {
    out += leading;
    out += "bgcolor=\"";
    out += formatHtmlColor(back);
    out += "\" color=\"";
    out += formatHtmlColor(font);
    out += '"';
}

void appendAttributeLine(std::string& out, std::string_view name, std::string_view value) {
    out += '\t';
    out += name;
    out += "=\"";
    out += value;
    out += '"';
    out += kCrLf;
}

void appendHeader(std::string& out, const CcxDocument& document) {
    out += "<levelset";
    out += kCrLf;
    if (!document.description.empty())
        appendAttributeLine(out, "description", document.description);
    const auto compat =
        formatCompatAttributes(document.msChoice, document.lynxChoice, document.pedanticChoice);
    if (!compat.empty()) {
        out += '\t';
        out += compat;
        out += kCrLf;
    }
    if (!document.author.empty())
        appendAttributeLine(out, "author", document.author);
    appendAttributeLine(out, "format", "html");
    if (document.hasDefaultColors) {
        appendColors(out, "\t", document.defaultBackColor, document.defaultFontColor);
        out += kCrLf;
    }
    out += ">";
    out += kCrLf;
    out += kCrLf;
}

void appendPane(std::string& out, const CcxPageList& list, std::string_view tag) {
    if (list.count == 0)
        return;
    out += '<';
    out += tag;
    out += '>';
    out += kCrLf;
    for (int number = 1; number <= writtenPageCount(list); ++number) {
        const auto& page = list.page(number);
        out += kCrLf;
        out += "<page";
        if (page.hasOwnColors == 1)
            appendColors(out, " ", page.backColor, page.fontColor);
        out += '>';
        out += kCrLf;
        out += "<![CDATA[";
        out += kCrLf;
        out += page.text;
        out += kCrLf;
        out += "]]>";
        out += kCrLf;
        out += "</page>";
        out += kCrLf;
    }
    out += "</";
    out += tag;
    out += '>';
    out += kCrLf;
}

void appendLevel(std::string& out, int number, const CcxLevel& level) {
    out += "<!-- ";
    out += level.title;
    out += " -->";
    out += kCrLf;
    out += "<level number=\"";
    out += std::to_string(number);
    out += '"';
    if (!level.author.empty()) {
        out += " author=\"";
        out += level.author;
        out += '"';
    }
    if (!level.compatAttributes.empty()) {
        out += ' ';
        out += level.compatAttributes;
    }
    out += '>';
    out += kCrLf;
    appendPane(out, level.prologue, "prologue");
    appendPane(out, level.epilogue, "epilogue");
    out += "</level>";
    out += kCrLf;
    out += kCrLf;
}

} // namespace

std::string formatCcxFile(const CcxDocument& document) {
    std::string out;
    out.reserve(estimatedSize(document));
    appendHeader(out, document);
    for (int number = 1; number <= writtenLevelCount(document); ++number)
        appendLevel(out, number, document.level(number));
    out += "</levelset>";
    out += kCrLf;
    return out;
}

bool writeCcxFile(const std::filesystem::path& path, const CcxDocument& document) {
    return replaceFileAtomically(path, formatCcxFile(document));
}

} // namespace tessaro
