#pragma once

#include <functional>
#include <string>

namespace tessaro {

// Tells a tool window which folder the main window shows, at the moment it
// asks; its file dialogs start there when their field names no file yet.
using CurrentFolder = std::function<std::string()>;

// The folder a file dialog starts in: the folder of the file that fieldPath
// names, when that folder exists; otherwise fallback (which may be empty, to
// leave the choice to the system).
std::string dialogStartFolder(const std::string& fieldPath, const std::string& fallback);

} // namespace tessaro
