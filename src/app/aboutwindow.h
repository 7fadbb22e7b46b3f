#pragma once

#include "common/platform.h"

#include <QDialog>

namespace tessaro {

inline constexpr const char* kProjectWebPage = "https://tessaro.app";

// AboutForm: the program's name and version, and a link to its web page that
// opens in the default browser. It does not block the other windows; Enter
// presses OK and Esc closes it.
class AboutWindow : public QDialog {
    Q_OBJECT

public:
    explicit AboutWindow(Platform& platform, QWidget* parent = nullptr);
};

} // namespace tessaro
