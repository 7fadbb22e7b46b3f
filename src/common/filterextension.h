#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// The extension a file dialog's filter ("description|pattern;pattern") names
// when its one pattern is "*.ext": ".ext" for "CCX Files|*.ccx"; empty for
// several patterns, a pattern with other wildcards, or "*.*".
std::string filterExtension(std::string_view filter);

// The path a save dialog hands back: the filter's one extension added when the
// chosen name holds no dot ("mynew" is saved as "mynew.ccx"); any other name
// as typed.
std::string withFilterExtension(std::string_view path, std::string_view filter);

} // namespace tessaro
