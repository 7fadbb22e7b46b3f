#pragma once

// The largest CCX document there can be (999 levels, 10 prologue and 10
// epilogue pages of 1 KB each), a set of the size real ones have (about
// 100 KB), their files in a scratch folder, and a Platform that opens the
// largest, for the CCX benchmarks.

#include "benchsupport.h"
#include "ccx/ccxdocument.h"
#include "ccx/ccxwriter.h"

#include <string>

namespace tessaro::bench {

// Lines of 62 characters; 16 of them make 1 KB with the line ends between.
inline std::string pageText(int level, int page, int lines = 16) {
    std::string text;
    for (int line = 0; line < lines; ++line) {
        if (line > 0)
            text += "\r\n";
        std::string words = "<p>Level " + std::to_string(level) + ", page " + std::to_string(page) +
                            ", line " + std::to_string(line) + ": ";
        words.resize(62, 'x');
        text += words;
    }
    return text;
}

inline const CcxDocument& fullDocument() {
    static const CcxDocument document = [] {
        CcxDocument d;
        d.description = "Benchmark Set";
        d.author = "Bench";
        d.msChoice = CompatChoice::Yes;
        d.hasDefaultColors = true;
        d.levelCount = kMaxCcxLevels;
        for (int n = 1; n <= kMaxCcxLevels; ++n) {
            auto& level = d.level(n);
            level.title = "Level number " + std::to_string(n);
            level.author = "Author " + std::to_string(n % 17);
            level.compatAttributes = "ms=\"yes\" lynx=\"no\"";
            for (auto* list : {&level.prologue, &level.epilogue}) {
                list->count = kMaxCcxPages;
                for (int p = 1; p <= kMaxCcxPages; ++p)
                    list->page(p) = {pageText(n, p), static_cast<std::uint8_t>(p % 2), 0x102030,
                                     0xFFFFFF};
            }
        }
        return d;
    }();
    return document;
}

inline const std::string& fullBytes() {
    static const std::string bytes = formatCcxFile(fullDocument());
    return bytes;
}

// A set as real ones come: 149 levels, each with a title, an author and a
// prologue page of 6 lines, every third with an epilogue page and every
// fourth with its own rulesets.
inline const CcxDocument& realDocument() {
    static const CcxDocument document = [] {
        CcxDocument d;
        d.description = "A set of the usual size";
        d.author = "Bench";
        d.levelCount = 149;
        for (int n = 1; n <= d.levelCount; ++n) {
            auto& level = d.level(n);
            level.title = "Level " + std::to_string(n) + ": The Long Way Round";
            level.author = "Author " + std::to_string(n % 13);
            if (n % 4 == 0)
                level.compatAttributes = "ms=\"yes\" lynx=\"no\"";
            level.prologue.count = 1;
            level.prologue.page(1) = {pageText(n, 1, 6), 0, 0, 0};
            if (n % 3 == 0) {
                level.epilogue.count = 1;
                level.epilogue.page(1) = {pageText(n, 1, 6), 1, 0x102030, 0xFFFFFF};
            }
        }
        return d;
    }();
    return document;
}

inline const std::string& realBytes() {
    static const std::string bytes = formatCcxFile(realDocument());
    return bytes;
}

// The number of page texts a document holds.
inline int pageCount(const CcxDocument& document) {
    int pages = 0;
    for (int n = 1; n <= document.levelCount; ++n)
        pages += document.level(n).prologue.count + document.level(n).epilogue.count;
    return pages;
}

// A folder of its own under the system's temporary folder, holding full.ccx
// and real.ccx.
inline const ScratchFolder& scratch() {
    static const ScratchFolder folder("ccx");
    static const bool written = !folder.write("full.ccx", fullBytes()).empty() &&
                                !folder.write("real.ccx", realBytes()).empty();
    (void)written;
    return folder;
}

// QuietPlatform, but every open dialog chooses full.ccx.
class BenchPlatform : public QuietPlatform {
public:
    std::optional<FileChoice> openFileDialog(const std::string&, const std::string&,
                                             const std::string&) override {
        return FileChoice{(scratch() / "full.ccx").string(), "full.ccx"};
    }
};

} // namespace tessaro::bench
