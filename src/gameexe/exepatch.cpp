#include "gameexe/exepatch.h"

namespace tessaro {

ExeCopyOutcome writeRetargetedCopy(const std::filesystem::path& original,
                                   const std::filesystem::path& newExe,
                                   std::string_view dataFileName, std::string_view iniFileName,
                                   std::int16_t fake, std::int16_t real) {
    PatchWriter writer(original, newExe);
    if (!writer.ok())
        return ExeCopyOutcome::CopyFailed;
    if (!dataFileName.empty() && dataFileName.size() <= kDataNameWidth)
        writer.writeDataFileName(dataFileName);
    if (!iniFileName.empty() && iniFileName.size() <= kIniNameWidth)
        writer.writeIniName(iniFileName);
    writer.writeLevels(fake, real);
    return writer.save() ? ExeCopyOutcome::Written : ExeCopyOutcome::PatchFailed;
}

bool writeLevelsInPlace(const std::filesystem::path& executable, std::int16_t fake,
                        std::int16_t real) {
    PatchWriter writer(executable);
    writer.writeLevels(fake, real);
    return writer.save();
}

PatchWriter patchPlayFields(const std::filesystem::path& executable, const PlayFields& fields) {
    PatchWriter writer(executable);
    writer.writeIniName(fields.iniName);
    writer.writeDataFileName(fields.dataFileName);
    writer.writeLevels(fields.fake, fields.real);
    writer.writeSectionName(fields.sectionName);
    return writer;
}

} // namespace tessaro
