#pragma once

namespace tessaro {

// Tessaro on Windows is a window program: it gets no console of its own, and
// a console job (--check, --list, --help, --version) borrows the console of
// the command prompt that started it. Standard output and error that already
// lead somewhere (a file, a pipe) are kept; only a missing one is sent to
// that console. Started from the desktop there is no console to borrow, and
// none appears.
struct ConsoleAttach {
    bool attach = false; // attach to the parent process's console
    bool output = false; // standard output goes to that console
    bool error = false;  // standard error goes to that console
    bool operator==(const ConsoleAttach&) const = default;
};

// For a console job, given which standard streams already lead somewhere.
ConsoleAttach planConsoleAttach(bool hasOutput, bool hasError);

} // namespace tessaro
