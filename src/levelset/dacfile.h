#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tessaro {

// A Tile World ".dac" file names a level set's data file and the options
// Tile World plays it with. One is written per level set and ruleset.

// What the DacGen check boxes ask for.
struct DacOptions {
    bool makeMS = true;
    bool makeLynx = true;
    bool usePasswords = false;
    bool lastLevel144 = false; // "lastlevel=144" for CHIPS.DAT and CCLP1.DAT to CCLP4.DAT
    bool fixLynx = false;      // "fixlynx=y" in the Lynx file of CHIPS.DAT

    bool operator==(const DacOptions&) const = default;
};

enum class DacRuleset { MS, Lynx };

// The DAC file's name for the level set file setName (a bare name, kept as it
// is spelt on disk): setName + "-MS.dac" or setName + "-Lynx.dac".
std::string dacFileName(const std::string& setName, DacRuleset ruleset);

// The lines of that DAC file, without line ends. The "file=" line names the
// set as Tile World on this system opens it: in Windows-1252 on Windows, with
// the name's own bytes elsewhere.
std::vector<std::string> dacFileLines(const std::string& setName, DacRuleset ruleset,
                                      const DacOptions& options);

// The lines of the DAC file a play writes for setName: passwords used, and
// lastLevel as the level after which Tile World ends the set.
std::vector<std::string> playDacFileLines(const std::string& setName, DacRuleset ruleset,
                                          int lastLevel);

// Writes the MS file and then the Lynx file of setName into setsFolder, each
// only when its ruleset is chosen, replacing a file of the same name. Lines end
// in CR LF. True when every chosen file was written; a file that cannot be
// written (missing or read-only folder) does not stop the other one. Nothing
// is written for a name Windows cannot hold (see isNameWindowsCanHold) or, on
// Windows, one that Windows-1252 cannot hold.
bool WriteDacFiles(const std::string& setName, const DacOptions& options,
                   const std::filesystem::path& setsFolder);

// WriteDacFiles for many sets at once, their files flushed to disk together
// (see replaceFilesAtomically). The names of the sets whose chosen files were
// not all written, in the order given.
std::vector<std::string> WriteDacFilesOfSets(const std::vector<std::string>& setNames,
                                             const DacOptions& options,
                                             const std::filesystem::path& setsFolder);

// True when Tile World cannot find the set by the DAC file's "file=" line:
// it reads the name only up to the first space or tab.
bool isNameTileWorldCannotFind(const std::string& setName);

// True when a DAC file can name the set so that Tile World on this system
// opens it: a name Windows can hold, in Windows-1252 on Windows, without a
// space or tab.
bool isNameTileWorldCanOpen(const std::string& setName);

} // namespace tessaro
