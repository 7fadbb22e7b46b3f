#pragma once

// For the start-up benchmark's probes: when the first top-level window has
// been painted and its frame handed to the window system, "frame" goes to
// standard output and the process ends on the spot, so the time a probe is
// measured for ends at its first frame, not at its tear-down.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <unistd.h>

namespace tessaro::bench {

class FirstFrameWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && event->type() == QEvent::Paint) {
            const auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window()->isVisible()) {
                m_seen = true;
                // Runs once the paint in progress and its flush are done.
                QTimer::singleShot(0, [] {
                    static const char kLine[] = "frame\n";
                    [[maybe_unused]] const auto written = ::write(1, kLine, sizeof kLine - 1);
                    std::_Exit(0);
                });
            }
        }
        return false;
    }

private:
    bool m_seen = false;
};

// Called by the application object as it is built (qAddPreRoutine).
inline void watchForFirstFrame() {
    QCoreApplication::instance()->installEventFilter(
        new FirstFrameWatch(QCoreApplication::instance()));
}

} // namespace tessaro::bench
