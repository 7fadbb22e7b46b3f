#pragma once

#include <QString>
#include <string>

namespace tessaro {

// Text the core keeps for a file (level titles, passwords, page text) is
// Windows-1252 bytes, converted here with the core's table (common/codepage.h).
// The five bytes Windows-1252 leaves unassigned map to the C1 code points of
// the same value, so every byte value survives a round trip.
QString fromBytes(const std::string& bytes);

// A character that Windows-1252 cannot hold becomes '?'.
std::string toBytes(const QString& text);

// Paths and file names travel through the core as UTF-8 (common/paths.h).
// pathText shows one as readableName does: a name that is not UTF-8 (an old
// Latin-1 name on Linux) reads as Windows-1252 instead of as '?' marks. A list
// that shows such names keeps each name's bytes beside its text, since
// pathBytes gives UTF-8.
QString pathText(const std::string& path);
std::string pathBytes(const QString& path);

} // namespace tessaro
