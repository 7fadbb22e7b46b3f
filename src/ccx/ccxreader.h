#pragma once

#include "ccx/ccxdocument.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// Why a CCX file was refused: the line (counted from 1) where reading had to
// stop, 0 when the file could not be read at all, and the problem in words.
struct CcxReadError {
    std::size_t line = 0;
    std::string problem;

    bool operator==(const CcxReadError&) const = default;
};

// A completely read CCX file: the document (without a file name) and the
// entries of the level list, one per level start in file order.
struct CcxFileContents {
    CcxDocument document;
    std::vector<std::string> levelList;
};

// Either the contents or the error; never a part-read document.
struct CcxReadResult {
    std::optional<CcxFileContents> contents;
    CcxReadError error;

    bool ok() const { return contents.has_value(); }
};

// Reads CCX text into the given document, which should be a reset one (fields
// that the file does not set, such as the default colours of a file without a
// colours line, keep their values). The reader works line by line on the
// writer's layout with some tolerance: any of CR LF, LF or CR ends a line,
// header lines come in any order, levels in any order and with gaps, unknown
// lines are skipped. It refuses, with the line, a file that ends before
// "</levelset>", a bad level number, a page list outside a level, more than
// 10 pages in one pane of a level, malformed page colours, a description or
// author cut off after its opening quote, a colours line of fewer than two
// words, and a file without any level. Linear in the size of the text.
CcxReadResult parseCcxFile(std::string_view bytes, CcxDocument document);

// The same for a file; an unreadable file gives an error with line 0.
CcxReadResult readCcxFile(const std::filesystem::path& path, CcxDocument document);

} // namespace tessaro
