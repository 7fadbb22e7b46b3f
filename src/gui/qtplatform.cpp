#include "gui/qtplatform.h"

#include "common/filterextension.h"
#include "common/paths.h"
#include "gui/codepage.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace tessaro {

namespace {

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

QMessageBox::Icon toQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

std::optional<FileChoice> toChoice(const QString& chosen) {
    if (chosen.isEmpty())
        return std::nullopt;
    const QString native = QDir::toNativeSeparators(chosen);
    return FileChoice{pathBytes(native), pathBytes(QFileInfo(chosen).fileName())};
}

} // namespace

QString toQtFilter(const std::string& filter) {
    const QString text = pathText(filter);
    const auto bar = text.indexOf('|');
    if (bar < 0)
        return text;
    QString patterns = text.mid(bar + 1);
    patterns.replace(';', ' ');
    return text.left(bar) + " (" + patterns + ")";
}

MessageAnswer QtPlatform::message(const std::string& text, const std::string& title,
                                  MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(toQtIcon(icon), pathText(title), pathText(text), toQtButtons(buttons),
                    dialogParent());
    if (buttons != MessageButtons::Ok)
        box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        // Escape or the close button on a Yes/No box counts as No.
        return buttons == MessageButtons::Ok            ? MessageAnswer::Ok
               : buttons == MessageButtons::YesNoCancel ? MessageAnswer::Cancel
                                                        : MessageAnswer::No;
    }
}

std::optional<FileChoice> QtPlatform::openFileDialog(const std::string& title,
                                                     const std::string& filter,
                                                     const std::string& startFolder) {
    return toChoice(QFileDialog::getOpenFileName(dialogParent(), pathText(title),
                                                 pathText(startFolder), toQtFilter(filter)));
}

std::optional<FileChoice> QtPlatform::saveFileDialog(const std::string& title,
                                                     const std::string& filter,
                                                     const std::string& startFolder,
                                                     bool confirmOverwrite) {
    QFileDialog dialog(dialogParent(), pathText(title), pathText(startFolder), toQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // The dialog adds the extension itself, so it asks about the file that
    // will be written; a system dialog that does not is caught up below.
    dialog.setDefaultSuffix(pathText(filterExtension(filter)).mid(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().front();
    if (chosen.isEmpty())
        return std::nullopt;
    return toChoice(pathText(withFilterExtension(pathBytes(chosen), filter)));
}

std::optional<std::string> QtPlatform::lineInput(const std::string& prompt,
                                                 const std::string& title,
                                                 const std::string& defaultText) {
    bool accepted = false;
    const QString text =
        QInputDialog::getText(dialogParent(), pathText(title), pathText(prompt), QLineEdit::Normal,
                              fromBytes(defaultText), &accepted);
    if (!accepted)
        return std::nullopt;
    return toBytes(text);
}

std::optional<ColorValue> QtPlatform::colorDialog(const std::string& title) {
    const QColor color = QColorDialog::getColor(Qt::white, dialogParent(), pathText(title));
    if (!color.isValid())
        return std::nullopt;
    return static_cast<ColorValue>(color.red()) | (static_cast<ColorValue>(color.green()) << 8) |
           (static_cast<ColorValue>(color.blue()) << 16);
}

bool QtPlatform::startProgram(const StartRequest& request) {
    QStringList arguments;
    for (const auto& argument : request.arguments)
        arguments << pathText(argument);
    return QProcess::startDetached(pathText(fromPath(request.program)), arguments,
                                   pathText(fromPath(request.workingFolder)));
}

bool QtPlatform::openUrl(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(pathText(url)));
}

} // namespace tessaro
