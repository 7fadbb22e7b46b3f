#pragma once

#include "ccx/ccxdocument.h"
#include "common/readresult.h"
#include "common/textfile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// A level number that more than one level start names: the line of the one
// before (counted from 1) and of the later one, whose title, author and
// compatibility the level keeps.
struct CcxRepeatedLevel {
    std::int16_t number = 0;
    std::size_t earlierLine = 0;
    std::size_t laterLine = 0;

    bool operator==(const CcxRepeatedLevel&) const = default;
};

// A completely read CCX file: the document (without a file name), the
// numbers of the levels the file names, in ascending order and each once,
// the numbers it names more than once, and the lines (counted from 1, in
// ascending order) that hold something but are neither read into the
// document nor lines the writer writes in their place, so that saving the
// document drops them.
struct CcxFileContents {
    CcxDocument document;
    std::vector<std::int16_t> levelNumbers;
    std::vector<CcxRepeatedLevel> repeatedLevels;
    std::vector<std::size_t> unreadLines;

    bool operator==(const CcxFileContents&) const = default;
};

// Reads CCX text into the given document, which should be a reset one (fields
// that the file does not set, such as the default colours of a file without a
// colours line, keep their values). The reader works line by line on the
// writer's layout with some tolerance: any of CR LF, LF or CR ends a line,
// header lines come in any order, levels in any order and with gaps, unknown
// lines are skipped and listed in unreadLines (blank ones are not), and the
// lines between a page's "]]>" and its "</page>" are added to its text. A
// level named twice keeps the later level start's title,
// author and compatibility and the pages of both, in file order. Every text
// is read as the file can carry it (see carriedtext.h), so what the writer
// writes of the result reads back equal. It refuses, with the line, a file
// that ends before "</levelset>", a bad level number, a page list outside a
// level, more than 10 pages in one pane of a level, malformed page colours, a
// description or author cut off after its opening quote, a colours line of
// fewer than two words, and a file without any level. Linear in the size of
// the text.
// The text is read in blocks of blockSize bytes when it is longer: only to
// check that lines and page texts crossing blocks read the same.
ReadResult<CcxFileContents> parseCcxFile(std::string_view bytes, CcxDocument document,
                                         std::size_t blockSize = SIZE_MAX);

// The bytes of a file read block by block, each into the memory the last one
// took (one block, and a longer line, is all it holds of the file at once),
// and read as by parseCcxFile; every byte read is added to hash when one is
// given. A file that cannot be read, or not to its end, gives
// ReadError::unreadable.
inline constexpr std::size_t kCcxReadBlock = std::size_t{1} << 20;
ReadResult<CcxFileContents> readCcxFile(const std::filesystem::path& path, CcxDocument document,
                                        BytesHash* hash = nullptr,
                                        std::size_t blockSize = kCcxReadBlock);

} // namespace tessaro
