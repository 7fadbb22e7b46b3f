#include "common/consoleattach.h"

namespace tessaro {

ConsoleAttach planConsoleAttach(bool hasOutput, bool hasError) {
    if (hasOutput && hasError)
        return {};
    return {.attach = true, .output = !hasOutput, .error = !hasError};
}

} // namespace tessaro
