#include "ccx/ccxwriter.h"

#include "ccx/carriedtext.h"
#include "ccx/htmlcolor.h"
#include "common/safewriter.h"

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

// Appends the parts, then CR LF.
template <typename... Parts> void appendLine(std::string& out, const Parts&... parts) {
    (out.append(std::string_view(parts)), ...);
    out += kCrLf;
}

// bgcolor="#RRGGBB" color="#RRGGBB"
void appendColorAttributes(std::string& out, ColorValue back, ColorValue font) {
    out += "bgcolor=\"";
    out += formatHtmlColor(back);
    out += "\" color=\"";
    out += formatHtmlColor(font);
    out += '"';
}

void appendHeader(std::string& out, const CcxDocument& document) {
    appendLine(out, "<levelset");
    if (!document.description.empty())
        appendLine(out, "\tdescription=\"", attributeText(carriedSetText(document.description)),
                   "\"");
    const auto compat =
        formatCompatAttributes(document.msChoice, document.lynxChoice, document.pedanticChoice);
    if (!compat.empty())
        appendLine(out, "\t", compat);
    if (!document.author.empty())
        appendLine(out, "\tauthor=\"", attributeText(carriedSetText(document.author)), "\"");
    appendLine(out, "\tformat=\"html\"");
    if (document.hasDefaultColors) {
        out += '\t';
        appendColorAttributes(out, document.defaultBackColor, document.defaultFontColor);
        appendLine(out);
    }
    appendLine(out, ">");
    appendLine(out);
}

void appendPane(std::string& out, const CcxPageList& list, std::string_view tag) {
    if (list.count == 0)
        return;
    appendLine(out, "<", tag, ">");
    for (int number = 1; number <= writtenPageCount(list); ++number) {
        const auto& page = list.page(number);
        appendLine(out);
        out += "<page";
        if (page.hasOwnColors == 1) {
            out += ' ';
            appendColorAttributes(out, page.backColor, page.fontColor);
        }
        appendLine(out, ">");
        appendLine(out, "<![CDATA[");
        // Checked where it was just copied to, while the copy is in the
        // cache: the document's texts are read from memory only once.
        const auto textStart = out.size();
        out += page.text;
        if (!pageTextIsCarried(std::string_view(out).substr(textStart))) {
            out.resize(textStart);
            out += carriedPageText(page.text);
        }
        out += kCrLf;
        appendLine(out, "]]>");
        appendLine(out, "</page>");
    }
    appendLine(out, "</", tag, ">");
}

void appendLevel(std::string& out, int number, const CcxLevel& level) {
    appendLine(out, "<!-- ", carriedTitle(level.title), " -->");
    out += "<level number=\"";
    out += std::to_string(number);
    out += '"';
    if (!level.author.empty())
        out.append(" author=\"").append(attributeText(carriedLevelAuthor(level.author))) += '"';
    if (const auto compat = carriedCompatAttributes(level.compatAttributes); !compat.empty())
        (out += ' ') += compat;
    appendLine(out, ">");
    appendPane(out, level.prologue, "prologue");
    appendPane(out, level.epilogue, "epilogue");
    appendLine(out, "</level>");
    appendLine(out);
}

} // namespace

std::string formatCcxFile(const CcxDocument& document) {
    std::string out;
    out.reserve(estimatedSize(document));
    appendHeader(out, document);
    for (int number = 1; number <= writtenLevelCount(document); ++number)
        appendLevel(out, number, document.level(number));
    appendLine(out, "</levelset>");
    return out;
}

bool writeCcxFile(const std::filesystem::path& path, const CcxDocument& document) {
    return replaceFileAtomically(path, formatCcxFile(document));
}

} // namespace tessaro
