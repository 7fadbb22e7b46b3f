#pragma once

#include "common/platform.h"

#include <QDialog>

namespace tessaro {

// The user guide that ships with Tessaro: installed beside the program
// (<prefix>/share/doc/tessaro/user-guide.md) or, run from a build, the one in
// the source tree. Empty when neither is there.
QString userGuidePath();

// AboutForm: the program's name and version, and a link that shows the user
// guide, rendered, in a window of its own. It does not block the other
// windows; Enter presses OK and Esc closes it.
class AboutWindow : public QDialog {
    Q_OBJECT

public:
    explicit AboutWindow(Platform& platform, QWidget* parent = nullptr);

private:
    void showUserGuide();

    Platform& m_platform;
};

} // namespace tessaro
