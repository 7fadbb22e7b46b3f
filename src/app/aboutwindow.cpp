#include "app/aboutwindow.h"

#include "gui/keyrule.h"
#include "gui/widgets.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaro {

AboutWindow::AboutWindow(Platform& platform, QWidget* parent) : QDialog(parent) {
    setObjectName("AboutForm");
    setWindowTitle("About Tessaro");

    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel("<h2>Tessaro</h2>", this);
    name->setObjectName("lblName");
    auto* version = new QLabel(QString("Version %1").arg(TESSARO_VERSION), this);
    version->setObjectName("lblVersion");
    auto* blurb = new QLabel("A launcher and toolbox for Chip's Challenge level sets.", this);
    blurb->setObjectName("lblDescription");
    blurb->setWordWrap(true);
    const QString url = QString::fromLatin1(kProjectWebPage);
    auto* link = new QLabel(QString("<a href=\"%1\">%1</a>").arg(url), this);
    link->setObjectName("lblWebPage");
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setFocusPolicy(Qt::StrongFocus);
    connect(link, &QLabel::linkActivated, this,
            [&platform](const QString& href) { platform.openUrl(href.toStdString()); });
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    // OK comes first in the tab order, so Enter presses it; the link opens
    // only once the player has moved to it.
    ok->setFocus();
    setTabOrder(ok, link);

    for (QWidget* widget : {static_cast<QWidget*>(name), static_cast<QWidget*>(version),
                            static_cast<QWidget*>(blurb), static_cast<QWidget*>(link)})
        layout->addWidget(widget);
    layout->addStretch();
    layout->addWidget(ok, 0, Qt::AlignRight);
    KeyRule::installOn(*this);
    fitMinimumSize(*this, 320);
}

} // namespace tessaro
