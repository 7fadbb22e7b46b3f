// CCX reader and writer. Every document the reader accepts is one the file
// can carry as it is, and written and read again it comes back equal, as the
// same bytes, with no line left unread; the lines it leaves unread are lines
// of the file; a file it refuses is refused with a line and a problem; read in
// blocks of a few bytes it reads the same as whole. And any
// document, texts and all made from the input, written and read back is the
// document as the file carries it (carriedDocument).

#include "ccx/ccxreader.h"
#include "ccx/carriedtext.h"
#include "ccx/ccxwriter.h"
#include "fuzzcheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

namespace {

using tessaro::fuzz::check;

tessaro::CompatChoice choiceFrom(FuzzedDataProvider& input) {
    return static_cast<tessaro::CompatChoice>(input.ConsumeIntegralInRange(0, 2));
}

// A document of up to five levels whose texts, colours and counts come from
// the input, the way the editor could leave one.
tessaro::CcxDocument documentFrom(FuzzedDataProvider& input) {
    tessaro::CcxDocument document;
    document.description = input.ConsumeRandomLengthString(40);
    document.author = input.ConsumeRandomLengthString(40);
    document.msChoice = choiceFrom(input);
    document.lynxChoice = choiceFrom(input);
    document.pedanticChoice = choiceFrom(input);
    document.hasDefaultColors = input.ConsumeBool();
    document.defaultBackColor = input.ConsumeIntegral<std::uint32_t>() & 0xFFFFFF;
    document.defaultFontColor = input.ConsumeIntegral<std::uint32_t>() & 0xFFFFFF;
    document.levelCount = input.ConsumeIntegralInRange<std::int16_t>(1, 5);
    for (int number = 1; number <= document.levelCount; ++number) {
        auto& level = document.level(number);
        level.title = input.ConsumeRandomLengthString(40);
        level.author = input.ConsumeRandomLengthString(40);
        level.compatAttributes = input.ConsumeRandomLengthString(40);
        for (auto* list : {&level.prologue, &level.epilogue}) {
            list->count = input.ConsumeIntegralInRange<std::uint8_t>(0, 3);
            for (int page = 1; page <= list->count; ++page) {
                auto& shown = list->page(page);
                shown.text = input.ConsumeRandomLengthString(200);
                shown.hasOwnColors = input.ConsumeBool() ? 1 : 0;
                shown.backColor = input.ConsumeIntegral<std::uint32_t>() & 0xFFFFFF;
                shown.fontColor = input.ConsumeIntegral<std::uint32_t>() & 0xFFFFFF;
            }
        }
    }
    return document;
}

void checkWrittenDocument(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto document = documentFrom(input);
    // A file without a colours line leaves the default colours the reader
    // starts with, as they were before it read.
    tessaro::CcxDocument start;
    start.defaultBackColor = document.defaultBackColor;
    start.defaultFontColor = document.defaultFontColor;
    const auto read = tessaro::parseCcxFile(tessaro::formatCcxFile(document), std::move(start));
    check(read.ok(), "the reader refuses what the writer wrote");
    check(read->unreadLines.empty(), "the reader leaves a line the writer wrote unread");
    check(read->document == tessaro::carriedDocument(document),
          "a written document reads back other than the file carries it");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Inputs that begin with a NUL byte make a document; the rest are files.
    if (size > 0 && data[0] == 0) {
        checkWrittenDocument(data + 1, size - 1);
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto first = tessaro::parseCcxFile(bytes, tessaro::CcxDocument());
    // Read in small blocks, which its lines, line ends and page texts cross.
    const auto blockSize = size % 7 + 1;
    check(tessaro::parseCcxFile(bytes, tessaro::CcxDocument(), blockSize) == first,
          "read in blocks, the file reads otherwise than whole");
    const auto lineEnds = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n') +
                                                   std::count(bytes.begin(), bytes.end(), '\r'));
    if (!first.ok()) {
        check(first.error().line >= 1 && first.error().line <= lineEnds + 1,
              "a refusal names no line of the file");
        check(!first.error().problem.empty(), "a refusal says no problem");
        return 0;
    }
    const auto& document = first->document;
    const auto& unread = first->unreadLines;
    check(std::is_sorted(unread.begin(), unread.end()) &&
              (unread.empty() || (unread.front() >= 1 && unread.back() <= lineEnds + 1)),
          "an unread line is not a line of the file");
    check(tessaro::carriedDocument(document) == document,
          "the reader gave a document the file cannot carry");

    const auto written = tessaro::formatCcxFile(document);
    const auto second = tessaro::parseCcxFile(written, tessaro::CcxDocument());
    check(second.ok(), "the reader refuses what the writer wrote");
    check(second->document == document, "written and read again, the document differs");
    check(second->repeatedLevels.empty(), "the writer named a level twice");
    check(second->unreadLines.empty(), "the reader leaves a line the writer wrote unread");
    const auto& numbers = second->levelNumbers;
    check(static_cast<int>(numbers.size()) == document.levelCount &&
              (numbers.empty() || numbers.back() == document.levelCount),
          "the writer did not write every level up to the level count");
    check(tessaro::formatCcxFile(second->document) == written, "written twice, the file differs");
    return 0;
}
