#include "exe_creator/exepatch.h"

#include "common/textfile.h"
#include "launcher/patchwriter.h"

#include <string>
#include <system_error>

namespace tessaro {

namespace {

// A name beside the target that no file has yet (when every name is taken,
// the last one, a leftover of an earlier run, is reused).
std::filesystem::path unusedNameBeside(const std::filesystem::path& target) {
    std::filesystem::path candidate;
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        candidate = target;
        candidate += ".tessaro-new-" + std::to_string(attempt) + ".tmp";
        std::error_code error;
        if (!std::filesystem::exists(candidate, error))
            break;
    }
    return candidate;
}

bool patchCopy(const std::filesystem::path& copy, std::string_view dataFileName,
               std::string_view iniFileName, std::int16_t fake, std::int16_t real) {
    PatchWriter writer(copy);
    if (!dataFileName.empty() && dataFileName.size() <= kDataNameWidth)
        writer.writeDataFileName(dataFileName);
    if (!iniFileName.empty() && iniFileName.size() <= kIniNameWidth)
        writer.writeIniName(iniFileName);
    writer.writeLevels(fake, real);
    return writer.close();
}

} // namespace

ExeCopyOutcome writeRetargetedCopy(const std::filesystem::path& original,
                                   const std::filesystem::path& newExe,
                                   std::string_view dataFileName, std::string_view iniFileName,
                                   std::int16_t fake, std::int16_t real) {
    std::error_code error;
    const auto temporary = unusedNameBeside(newExe);
    if (!copyFileReplacing(original, temporary)) {
        std::filesystem::remove(temporary, error);
        return ExeCopyOutcome::CopyFailed;
    }
    // A read-only original gives a read-only copy, which could not be patched.
    std::filesystem::permissions(temporary, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, error);
    if (!patchCopy(temporary, dataFileName, iniFileName, fake, real)) {
        std::filesystem::remove(temporary, error);
        return ExeCopyOutcome::PatchFailed;
    }
    // A folder standing where the new executable should go is not replaced.
    if (std::filesystem::is_directory(newExe, error)) {
        std::filesystem::remove(temporary, error);
        return ExeCopyOutcome::CopyFailed;
    }
    std::filesystem::rename(temporary, newExe, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return ExeCopyOutcome::CopyFailed;
    }
    return ExeCopyOutcome::Written;
}

bool writeLevelsInPlace(const std::filesystem::path& executable, std::int16_t fake,
                        std::int16_t real) {
    PatchWriter writer(executable);
    writer.writeLevels(fake, real);
    return writer.close();
}

} // namespace tessaro
