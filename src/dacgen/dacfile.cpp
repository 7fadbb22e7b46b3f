#include "dacgen/dacfile.h"

#include "common/casefold.h"
#include "common/paths.h"
#include "common/textfile.h"

#include <algorithm>
#include <array>

namespace tessaro {

namespace {

bool isOriginalSet(const std::string& setName) {
    return equalsIgnoreCase(setName, "CHIPS.DAT");
}

bool getsLastLevel144(const std::string& setName) {
    static constexpr std::array<const char*, 5> kSets = {"CHIPS.DAT", "CCLP1.DAT", "CCLP2.DAT",
                                                         "CCLP3.DAT", "CCLP4.DAT"};
    return std::any_of(kSets.begin(), kSets.end(),
                       [&](const char* set) { return equalsIgnoreCase(setName, set); });
}

// A name that would spill into other lines of the file, or lead the file out
// of the SETS folder, is never written.
bool isWritableName(const std::string& setName) {
    return !setName.empty() && setName.find_first_of("\r\n/") == std::string::npos &&
           setName.find(kPathSeparator) == std::string::npos;
}

} // namespace

std::string dacFileName(const std::string& setName, DacRuleset ruleset) {
    return setName + (ruleset == DacRuleset::MS ? "-MS.dac" : "-Lynx.dac");
}

std::vector<std::string> dacFileLines(const std::string& setName, DacRuleset ruleset,
                                      const DacOptions& options) {
    std::vector<std::string> lines = {
        "file=" + setName,
        std::string("usepasswords=") + (options.usePasswords ? "y" : "n"),
        ruleset == DacRuleset::MS ? "ruleset=ms" : "ruleset=lynx",
    };
    if (ruleset == DacRuleset::Lynx && options.fixLynx && isOriginalSet(setName))
        lines.emplace_back("fixlynx=y");
    if (options.lastLevel144 && getsLastLevel144(setName))
        lines.emplace_back("lastlevel=144");
    return lines;
}

bool WriteDacFiles(const std::string& setName, const DacOptions& options,
                   const std::filesystem::path& setsFolder) {
    bool allWritten = true;
    for (const auto ruleset : {DacRuleset::MS, DacRuleset::Lynx}) {
        if (!(ruleset == DacRuleset::MS ? options.makeMS : options.makeLynx))
            continue;
        const bool written = isWritableName(setName) && !setsFolder.empty() &&
                             writeTextLines(setsFolder / toPath(dacFileName(setName, ruleset)),
                                            dacFileLines(setName, ruleset, options));
        allWritten = allWritten && written;
    }
    return allWritten;
}

bool isNameTileWorldCannotFind(const std::string& setName) {
    return setName.find_first_of(" \t") != std::string::npos;
}

} // namespace tessaro
