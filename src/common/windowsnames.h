#pragma once

#include <string_view>

namespace tessaro {

// The characters no Windows file name may hold, as a message lists them.
inline constexpr const char* kCharactersWindowsNamesCannotHold = "\\ / : * ? \" < > |";

// True when Windows can hold the bare file name: not empty, none of the
// characters above nor a control character, no trailing space or dot, and
// not a device name such as CON, NUL, COM1 or LPT1 (with any extension).
// Checked on every system, because a CCF or DAC file made elsewhere may be
// copied to Windows.
bool isNameWindowsCanHold(std::string_view name);

} // namespace tessaro
