#pragma once

#include "common/readresult.h"
#include "levelset/levelset.h"

#include <string>
#include <string_view>

namespace tessaro {

// True when the bytes begin with a level set's signature: AC AA 02 00 (MS
// rules) or AC AA 02 01 (Lynx rules).
bool startsWithLevelSetSignature(std::string_view bytes);

// "<name> is not a level set (it does not start with a level-set signature)"
std::string notALevelSetMessage(std::string_view name);

// Reads a level set. Refuses bytes without a signature (offset 0) and a file
// that ends before its number of levels (offset 4). Everything after that is
// read as far as it goes and never past a level's end or the file's end:
// sizes that disagree, a level count the levels present do not match, a
// field cut off or a text without its NUL are recorded in problems, with the
// level and byte offset, and the levels keep what could be read. Linear in
// the size of the bytes.
ReadResult<LevelSet> parseLevelSet(std::string_view bytes);

// The same for a file named by its UTF-8 path; an unreadable file is refused
// without an offset.
ReadResult<LevelSet> readLevelSet(const std::string& path);

} // namespace tessaro
