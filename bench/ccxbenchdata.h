#pragma once

// The largest CCX document there can be (999 levels, 10 prologue and 10
// epilogue pages of 1 KB each), its file in a scratch folder, and a Platform
// that opens that file, for the CCX benchmarks.

#include "benchsupport.h"
#include "ccx/ccxdocument.h"
#include "ccx/ccxwriter.h"

#include <string>

namespace tessaro::bench {

// 16 lines of 62 characters: 1 KB with the line ends between them.
inline std::string pageText(int level, int page) {
    std::string text;
    for (int line = 0; line < 16; ++line) {
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

// A folder of its own under the system's temporary folder, holding full.ccx.
inline const ScratchFolder& scratch() {
    static const ScratchFolder folder("ccx");
    static const bool written = !folder.write("full.ccx", fullBytes()).empty();
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
