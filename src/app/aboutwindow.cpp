#include "app/aboutwindow.h"

#include "gui/keyrule.h"
#include "gui/widgets.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tessaro {

QString userGuidePath() {
    const QString installed =
        QCoreApplication::applicationDirPath() + "/../share/doc/tessaro/user-guide.md";
    for (const QString& path : {installed, QStringLiteral(TESSARO_SOURCE_DOCS "/user-guide.md")}) {
        if (QFileInfo(path).isFile())
            return QFileInfo(path).canonicalFilePath();
    }
    return {};
}

AboutWindow::AboutWindow(Platform& platform, QWidget* parent)
    : QDialog(parent), m_platform(platform) {
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
    auto* link = new QLabel("<a href=\"guide\">Tessaro's user guide</a>", this);
    link->setObjectName("lblWebPage");
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setFocusPolicy(Qt::StrongFocus);
    connect(link, &QLabel::linkActivated, this, &AboutWindow::showUserGuide);
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

void AboutWindow::showUserGuide() {
    const QString path = userGuidePath();
    if (path.isEmpty()) {
        m_platform.tell("The user guide is not installed with this copy of Tessaro.",
                        "About Tessaro", MessageIcon::Exclamation);
        return;
    }
    auto* guide = new QTextBrowser;
    guide->setAttribute(Qt::WA_DeleteOnClose);
    guide->setObjectName("UserGuide");
    guide->setWindowTitle("Tessaro User Guide");
    // The guide's own pages open in it; a web link opens in the browser, as
    // everything outside the program does, through the Platform.
    guide->setOpenLinks(false);
    connect(guide, &QTextBrowser::anchorClicked, guide,
            [guide, &platform = m_platform](const QUrl& link) {
                const QUrl target = guide->source().resolved(link);
                if (target.isLocalFile())
                    guide->setSource(target, QTextDocument::MarkdownResource);
                else if (!platform.openUrl(target.toString().toStdString()))
                    platform.tell("Tessaro could not open " + target.toString().toStdString(),
                                  "Tessaro User Guide", MessageIcon::Exclamation);
            });
    guide->setSearchPaths({QFileInfo(path).absolutePath()});
    guide->setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
    guide->resize(760, 640);
    guide->show();
}

} // namespace tessaro
