#pragma once

#include "common/commandresult.h"
#include "common/platform.h"
#include "common/settings.h"
#include "launcher/playpipeline.h"
#include "levelset/dacfile.h"

#include <optional>
#include <string>

namespace tessaro {

// The Tile World program the player chose, kept in the "General" section.
// Empty means none: Tile World is looked for on the PATH.
inline constexpr const char* kTileWorldProgramKey = "TileWorldProgram";

// Play With: what Play Selected File plays with, kept in the "General"
// section as PlayWith ("game", "tileworld-ms", "tileworld-lynx").
inline constexpr const char* kPlayWithKey = "PlayWith";
enum class PlayWith { Game, TileWorldMS, TileWorldLynx };

// The setting's text for a choice, and the choice a text stands for (any
// other text, and none, is the game).
std::string playWithSetting(PlayWith choice);
PlayWith playWithOf(const std::string& setting);

// The folder in Tessaro's per-user data folder that keeps the DAC files of
// Tile World plays.
inline constexpr const char* kTileWorldFolderName = "tileworld";

// The folders Tile World is looked for in (PATH's form): PATH's, then
// /usr/games, where Debian installs it and which PATH may not hold.
std::string tileWorldSearchPath();

// What the system around a Tile World play provides.
struct TileWorldEnvironment {
    // Tessaro's own folder for the DAC files it writes (created when
    // missing); Tile World reads it as its level-set folder.
    std::string dacFolder;
    // The TileWorldProgram setting; empty: look it up (see findTileWorld).
    std::string program;
    std::string searchPath = tileWorldSearchPath();
};

// The Tile World program: the chosen program when one is set (nothing when
// it is not an existing file), else the first "tworld" on searchPath; on
// Windows "tworld2.exe", then "tworld.exe".
std::optional<std::string> findTileWorld(const std::string& program, const std::string& searchPath);

// Play Selected File in Tile World under ruleset. Checks that Tile World is
// found and the last-level boxes as every play does, then writes the set's
// DAC file (named as DacGen names it, with passwords used and the fake last
// level, or a CCF file's set and its fake last level) into
// environment.dacFolder, removes the other DAC files a play wrote there (so
// Tile World lists only the set it can open; a file a play did not write, or
// one changed since, is kept) and starts Tile World on the set:
// "-D <set folder> -L <dac folder> <dac name>". The game's own files and the
// alternate executable and INI name of inputs are not used. Every message
// goes through platform; done means Tile World was started.
CommandResult playInTileWorld(const PlayInputs& inputs, DacRuleset ruleset,
                              const TileWorldEnvironment& environment, Platform& platform);

// Play › "Tile World Program…": lets the player pick the Tile World program
// and keeps it at once as TileWorldProgram. The dialog starts in the chosen
// program's folder, else in startFolder; Cancel changes nothing. done is true
// when the setting changed.
CommandResult chooseTileWorldProgram(Platform& platform, SettingsStore& settings,
                                     const std::string& startFolder);

} // namespace tessaro
