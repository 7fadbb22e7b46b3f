#pragma once

#include "common/platform.h"

#include <QWidget>

namespace tessaro {

inline constexpr const char* kProjectWebPage = "https://tessaro.app";

// AboutForm: the program's name and version, and a link to its web page that
// opens in the default browser.
class AboutWindow : public QWidget {
    Q_OBJECT

public:
    explicit AboutWindow(Platform& platform, QWidget* parent = nullptr);
};

} // namespace tessaro
