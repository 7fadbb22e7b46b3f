#include "gui/commandloop.h"

#include "gui/widgets.h"

#include <QScopedValueRollback>

namespace tessaro {

CommandResult CommandLoop::run(const std::function<CommandResult()>& command) {
    const QScopedValueRollback running(m_running, true);
    const CommandResult result = command();
    m_redraw();
    applyResult(m_window, result);
    return result;
}

} // namespace tessaro
