#pragma once

namespace tessaro {

// Builds the Qt application, the settings, the platform and the main window,
// and runs until the last window closes.
int runApplication(int argc, char** argv);

} // namespace tessaro
