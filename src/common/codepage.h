#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

// The game reads and writes its names in Windows-1252: the score section
// written into its executable, the names in its score INI file, and the
// fields of a CCF file. Tessaro keeps paths and names as UTF-8 text (the
// system's own names, see toPath), so every name that goes into such a file,
// or comes out of one, passes through this one pair of functions.
//
// Names that are not UTF-8: on systems other than Windows a file name is a
// run of bytes, and one copied from an old disk or archive is often in a
// single-byte code page ("Ol\xE9.dat" in Latin-1). Such a name is taken to be
// Windows-1252 already, byte for byte: it is shown as Windows-1252 reads it
// ("Olé.dat") and written into the game's files with its own bytes, so the
// game names it exactly as the disk does. A name that is valid UTF-8 is
// always read as UTF-8.

// The name's Windows-1252 bytes, or nothing when Windows-1252 cannot hold one
// of its characters (a name in Cyrillic, for example). A name that is not
// valid UTF-8 comes back unchanged (see above).
std::optional<std::string> toWindows1252(std::string_view name);

// The UTF-8 text of Windows-1252 bytes. Every byte value has a character, so
// toWindows1252 gives the bytes back unchanged.
std::string fromWindows1252(std::string_view bytes);

// How a name is shown to the player, as UTF-8: a valid UTF-8 name as it is,
// any other name read as Windows-1252.
std::string readableName(std::string_view name);

// One character each way. The five bytes Windows-1252 leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control characters of the
// same value, so every byte has a character and comes back unchanged.
char32_t windows1252Character(unsigned char byte);
std::optional<unsigned char> windows1252Byte(char32_t character);

// True when the bytes are valid UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view text);

} // namespace tessaro
