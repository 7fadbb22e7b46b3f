#pragma once

#include "ccx/ccxdocument.h"

#include <filesystem>
#include <string>

namespace tessaro {

// The bytes of the CCX file for the document: the header with the set's
// fields, one level block for every number from 1 to levelCount (empty levels
// included), and "</levelset>"; every line ends in CR LF. Every text is
// written as the file can carry it (see carriedtext.h), so the reader reads
// back carriedDocument(document).
std::string formatCcxFile(const CcxDocument& document);

// Writes formatCcxFile(document) over the file, atomically: the old file is
// left whole when this fails. False when the file cannot be written.
bool writeCcxFile(const std::filesystem::path& path, const CcxDocument& document);

} // namespace tessaro
