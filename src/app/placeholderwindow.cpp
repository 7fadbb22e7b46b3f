#include "app/placeholderwindow.h"

#include "gui/keyrule.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tessaro {

PlaceholderWindow::PlaceholderWindow(const char* objectName, const QString& caption,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(objectName);
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(caption + " is not available in this version yet.", this));
    KeyRule::installOn(*this);
    resize(360, 120);
}

} // namespace tessaro
