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
#include <QUrl>

#ifdef _WIN32
#include <QProcess>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

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

#ifndef _WIN32

#if defined(__GLIBC__) && defined(__GLIBC_PREREQ)
#if __GLIBC_PREREQ(2, 29)
#define TESSARO_SPAWN_IN_FOLDER 1
#endif
#endif

// The program itself is argv[0]; a bare name is looked for on the PATH.
bool searchesPath(const char* program) {
    return std::string_view(program).find('/') == std::string_view::npos;
}

#ifdef TESSARO_SPAWN_IN_FOLDER

// Starts argv[0] with argv in a new session, in the folder (none: Tessaro's
// own), with no signal blocked and SIGPIPE at its default. The id, or -1
// when it could not be started (the program missing or not executable too).
pid_t startInSession(char* const* argv, const std::string& folder) {
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_init(&actions);
    sigset_t none, pipe;
    sigemptyset(&none);
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &pipe);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t id = -1;
    int failure =
        folder.empty() ? 0 : posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    if (failure == 0 && searchesPath(argv[0]))
        failure = posix_spawnp(&id, argv[0], &actions, &attributes, argv, environ);
    else if (failure == 0)
        failure = posix_spawn(&id, argv[0], &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return failure == 0 ? id : -1;
}

#else

// Where the C library cannot change the folder in a spawned child: one fork,
// and a pipe closed by a successful exec that carries the error otherwise.
pid_t startInSession(char* const* argv, const std::string& folder) {
    int ends[2];
    if (::pipe(ends) != 0)
        return -1;
    ::fcntl(ends[1], F_SETFD, FD_CLOEXEC);
    const pid_t id = ::fork();
    if (id == 0) {
        ::close(ends[0]);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::signal(SIGPIPE, SIG_DFL);
        ::setsid();
        if (folder.empty() || ::chdir(folder.c_str()) == 0)
            searchesPath(argv[0]) ? ::execvp(argv[0], argv) : ::execv(argv[0], argv);
        const int failure = errno;
        if (::write(ends[1], &failure, sizeof failure) < 0)
            ::_exit(127);
        ::_exit(127);
    }
    ::close(ends[1]);
    int failure = 0;
    ssize_t got = -1;
    while (id > 0 && (got = ::read(ends[0], &failure, sizeof failure)) < 0 && errno == EINTR) {
    }
    ::close(ends[0]);
    if (id > 0 && got > 0) {
        ::waitpid(id, nullptr, 0);
        return -1;
    }
    return id;
}

#endif

#endif

} // namespace

QString toQtFilter(const std::string& filter) {
    const QStringList parts = pathText(filter).split('|');
    if (parts.size() < 2)
        return parts.front();
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters += parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return filters.join(";;");
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

#ifdef _WIN32

std::optional<StartedProcess> QtPlatform::startProgram(const StartRequest& request) {
    QStringList arguments;
    for (const auto& argument : request.arguments)
        arguments << pathText(argument);
    qint64 id = 0;
    if (!QProcess::startDetached(pathText(fromPath(request.program)), arguments,
                                 pathText(fromPath(request.workingFolder)), &id))
        return std::nullopt;
    // A game that has ended already is known by its id alone, which never
    // matches a later process's creation time.
    return identifyProcess(id).value_or(StartedProcess{id, 0});
}

void QtPlatform::reapEnded() {}

#else

std::optional<StartedProcess> QtPlatform::startProgram(const StartRequest& request) {
    std::vector<std::string> words{fromPath(request.program)};
    words.insert(words.end(), request.arguments.begin(), request.arguments.end());
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t id = startInSession(argv.data(), fromPath(request.workingFolder));
    std::optional<StartedProcess> started;
    if (id > 0) {
        // Seen before it is reaped, so even a program that ended at once has its start time.
        started = identifyProcess(id).value_or(StartedProcess{id, 0});
        m_unreaped.push_back(id);
    }
    reapEnded();
    return started;
}

void QtPlatform::reapEnded() {
    std::erase_if(m_unreaped, [](std::int64_t id) {
        int status = 0;
        return ::waitpid(static_cast<pid_t>(id), &status, WNOHANG) != 0;
    });
}

#endif

bool QtPlatform::isRunning(const StartedProcess& process) {
    reapEnded();
    return processIsRunning(process);
}

bool QtPlatform::openUrl(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(pathText(url)));
}

} // namespace tessaro
