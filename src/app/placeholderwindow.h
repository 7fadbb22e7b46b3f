#pragma once

#include <QWidget>

namespace tessaro {

// Stands in for a tool window that this version does not have yet.
class PlaceholderWindow : public QWidget {
    Q_OBJECT

public:
    PlaceholderWindow(const char* objectName, const QString& caption, QWidget* parent = nullptr);
};

} // namespace tessaro
