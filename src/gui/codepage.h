#pragma once

#include <QString>
#include <string>

namespace tessaro {

// The core keeps every text as single-byte Windows-1252 bytes; widgets show
// QStrings. The five bytes that Windows-1252 leaves unassigned map to the C1
// code points of the same value, so every byte value survives a round trip.
QString fromBytes(const std::string& bytes);

// A character that Windows-1252 cannot hold becomes '?'.
std::string toBytes(const QString& text);

// Paths and file names travel through the core as the file system's own
// bytes (the local 8-bit encoding), so these convert them for display and back.
QString pathText(const std::string& bytes);
std::string pathBytes(const QString& path);

} // namespace tessaro
