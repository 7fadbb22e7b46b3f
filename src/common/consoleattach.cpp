#include "common/consoleattach.h"

namespace tessaro {

ConsoleAttach planConsoleAttach(bool consoleJob, bool hasOutput, bool hasError) {
    if (!consoleJob || (hasOutput && hasError))
        return {};
    return {.attach = true, .output = !hasOutput, .error = !hasError};
}

} // namespace tessaro
