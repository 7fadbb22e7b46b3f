// CCX reader: every document it accepts is one the file can carry as it is,
// and written and read again it comes back equal, as the same bytes. A file it
// refuses is refused with a line and a problem.

#include "ccx/ccxreader.h"
#include "ccx/carriedtext.h"
#include "ccx/ccxwriter.h"
#include "fuzzcheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

using tessaro::fuzz::check;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto first = tessaro::parseCcxFile(bytes, tessaro::CcxDocument());
    if (!first.ok()) {
        const auto lineEnds =
            static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n') +
                                     std::count(bytes.begin(), bytes.end(), '\r'));
        check(first.error.line >= 1 && first.error.line <= lineEnds + 1,
              "a refusal names no line of the file");
        check(!first.error.problem.empty(), "a refusal says no problem");
        return 0;
    }
    const auto& document = first.contents->document;
    check(tessaro::carriedDocument(document) == document,
          "the reader gave a document the file cannot carry");

    const auto written = tessaro::formatCcxFile(document);
    const auto second = tessaro::parseCcxFile(written, tessaro::CcxDocument());
    check(second.ok(), "the reader refuses what the writer wrote");
    check(second.contents->document == document, "written and read again, the document differs");
    check(second.contents->repeatedLevels.empty(), "the writer named a level twice");
    const auto& numbers = second.contents->levelNumbers;
    check(static_cast<int>(numbers.size()) == document.levelCount &&
              (numbers.empty() || numbers.back() == document.levelCount),
          "the writer did not write every level up to the level count");
    check(tessaro::formatCcxFile(second.contents->document) == written,
          "written twice, the file differs");
    return 0;
}
