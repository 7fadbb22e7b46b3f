#include "levelset/dacfile.h"

#include "common/casefold.h"
#include "common/codepage.h"
#include "common/paths.h"
#include "common/safewriter.h"
#include "common/textfile.h"
#include "common/windowsnames.h"

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

// Tile World opens the set by the "file=" name through the system's narrow
// file API: the ANSI code page on Windows (Windows-1252 for the players the
// game was made for), the name's own bytes elsewhere.
std::optional<std::string> tileWorldName(const std::string& setName) {
#ifdef _WIN32
    return toWindows1252(setName);
#else
    return setName;
#endif
}

} // namespace

std::string dacFileName(const std::string& setName, DacRuleset ruleset) {
    return setName + (ruleset == DacRuleset::MS ? "-MS.dac" : "-Lynx.dac");
}

std::vector<std::string> dacFileLines(const std::string& setName, DacRuleset ruleset,
                                      const DacOptions& options) {
    std::vector<std::string> lines = {
        "file=" + tileWorldName(setName).value_or(setName),
        std::string("usepasswords=") + (options.usePasswords ? "y" : "n"),
        ruleset == DacRuleset::MS ? "ruleset=ms" : "ruleset=lynx",
    };
    if (ruleset == DacRuleset::Lynx && options.fixLynx && isOriginalSet(setName))
        lines.emplace_back("fixlynx=y");
    if (options.lastLevel144 && getsLastLevel144(setName))
        lines.emplace_back("lastlevel=144");
    return lines;
}

std::vector<std::string> playDacFileLines(const std::string& setName, DacRuleset ruleset,
                                          int lastLevel) {
    auto lines = dacFileLines(setName, ruleset, {.usePasswords = true});
    lines.push_back("lastlevel=" + std::to_string(lastLevel));
    return lines;
}

bool WriteDacFiles(const std::string& setName, const DacOptions& options,
                   const std::filesystem::path& setsFolder) {
    return WriteDacFilesOfSets({setName}, options, setsFolder).empty();
}

std::vector<std::string> WriteDacFilesOfSets(const std::vector<std::string>& setNames,
                                             const DacOptions& options,
                                             const std::filesystem::path& setsFolder) {
    std::vector<std::pair<std::filesystem::path, std::string>> files;
    std::vector<std::size_t> setOfFile;
    std::vector<bool> refused(setNames.size(), false);
    for (std::size_t set = 0; set < setNames.size(); ++set) {
        const auto& name = setNames[set];
        // A name Windows cannot hold (a line break would also spill into
        // other lines) or Tile World could not open is never written.
        const bool writable =
            isNameWindowsCanHold(name) && tileWorldName(name) && !setsFolder.empty();
        for (const auto ruleset : {DacRuleset::MS, DacRuleset::Lynx}) {
            if (!(ruleset == DacRuleset::MS ? options.makeMS : options.makeLynx))
                continue;
            if (!writable) {
                refused[set] = true;
                continue;
            }
            files.emplace_back(setsFolder / toPath(dacFileName(name, ruleset)),
                               joinLinesCrLf(dacFileLines(name, ruleset, options)));
            setOfFile.push_back(set);
        }
    }
    const auto written = replaceFilesAtomically(files);
    for (std::size_t file = 0; file < files.size(); ++file)
        refused[setOfFile[file]] = refused[setOfFile[file]] || !written[file];
    std::vector<std::string> failed;
    for (std::size_t set = 0; set < setNames.size(); ++set)
        if (refused[set])
            failed.push_back(setNames[set]);
    return failed;
}

bool isNameTileWorldCannotFind(const std::string& setName) {
    return setName.find_first_of(" \t") != std::string::npos;
}

bool isNameTileWorldCanOpen(const std::string& setName) {
    return isNameWindowsCanHold(setName) && tileWorldName(setName) &&
           !isNameTileWorldCannotFind(setName);
}

} // namespace tessaro
