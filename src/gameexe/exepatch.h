#pragma once

#include "gameexe/patchwriter.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace tessaro {

// What became of a re-targeted copy of a game executable.
enum class ExeCopyOutcome {
    Written,     // the new executable is complete
    CopyFailed,  // the original could not be read
    PatchFailed, // the patched copy could not be written to the new place
};

// Copies the original executable to newExe and writes into the copy the data
// file name (only when it has 1 to 9 characters), the INI file name (only when
// it has 1 to 11 characters) and the last levels, in that order. The score
// section is left as it was. The patched copy goes to newExe in one step
// through the safe writer, so on failure newExe is exactly what it was before
// (or still absent) and no half-written file is left.
ExeCopyOutcome writeRetargetedCopy(const std::filesystem::path& original,
                                   const std::filesystem::path& newExe,
                                   std::string_view dataFileName, std::string_view iniFileName,
                                   std::int16_t fake, std::int16_t real);

// Writes only the last levels into the executable itself, all at once. False
// when it cannot be read (it is never created) or replaced; it is then as it
// was.
bool writeLevelsInPlace(const std::filesystem::path& executable, std::int16_t fake,
                        std::int16_t real);

// What a play writes into the play executable: the names already in the
// game's code page (Windows-1252) and each within its field's width.
struct PlayFields {
    std::string_view iniName;
    std::string_view dataFileName;
    std::string_view sectionName;
    std::int16_t fake = 0;
    std::int16_t real = 0;
};

// The play executable read and every play field written into its copy in
// memory, for the caller to put in place (see PatchWriter::ok()).
PatchWriter patchPlayFields(const std::filesystem::path& executable, const PlayFields& fields);

} // namespace tessaro
