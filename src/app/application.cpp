#include "app/application.h"

#include "app/windowhub.h"
#include "common/casefold.h"
#include "common/consoleattach.h"
#include "common/folderlisting.h"
#include "common/paths.h"
#include "common/programfolder.h"
#include "filecheck/filecheck.h"
#include "gui/codepage.h"
#include "gui/folderviews.h"
#include "gui/qtplatform.h"
#include "gui/qtsettings.h"
#include "launcher/launchermodel.h"
#include "launcher/mainwindow.h"
#include "levelset/levelsetfile.h"
#include "levelset/levelsetreader.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

namespace tessaro {

namespace {

void nameApplication() {
    QCoreApplication::setApplicationName("Tessaro");
    QCoreApplication::setOrganizationName("Tessaro");
    QCoreApplication::setApplicationVersion(TESSARO_VERSION);
}

// The command line's options, with the ones every Qt program takes.
struct Options {
    QCommandLineOption check{"check", "Read each file with Tessaro's own readers and print one "
                                      "line per problem (file:line: problem, or for a level set "
                                      "file: level N (offset X): problem)."};
    QCommandLineOption list{"list", "Print one line per level of a level set or a CCF file's "
                                    "set (number, title, password, time limit, TAB-separated), "
                                    "or the number and title of each level of a CCX file."};
};

void describe(QCommandLineParser& parser, const Options& options) {
    parser.setApplicationDescription(
        "Tessaro plays and edits custom level sets of Chip's Challenge.\n"
        "With no file, the main window opens. A level set (.dat, .ccl, or any file that starts\n"
        "with a level-set signature) or a CCF file is played as Play Selected File would play it\n"
        "with the saved settings; a CCX file opens in the CCX File Editor.\n"
        "Without the original game, sets play in Tile World (the tworld package): choose it\n"
        "in the main window's Play menu, under Play With.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(options.check);
    parser.addOption(options.list);
    parser.addPositionalArgument("file",
                                 "A level set, CCF or CCX file (with --check: level sets, CCX, "
                                 "CCF or score INI files).",
                                 "[file...]");
}

void printTo(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// One line on standard error, in the form "tessaro: problem".
int fail(const QString& problem, int status) {
    printTo(stderr, "tessaro: " + problem + "\n");
    return status;
}

bool isReadableFile(const QString& file) {
    const QFileInfo info(file);
    return info.isFile() && info.isReadable();
}

// --check: one line a problem, as compilers print them; 0 when every file
// reads, 1 otherwise. Nothing is written.
int checkFiles(const QStringList& files) {
    if (files.isEmpty())
        return fail("--check needs at least one file", 2);
    int status = 0;
    for (const QString& file : files) {
        if (!isReadableFile(file)) {
            fail("cannot read " + file, 0);
            status = 1;
            continue;
        }
        for (const auto& line : checkReport(toPath(pathBytes(file)), pathBytes(file))) {
            printTo(stdout, pathText(line) + "\n");
            status = 1;
        }
    }
    return status;
}

// --list: the file's levels on standard output, 0; or, when it cannot be
// read, what --check says of it on standard error, 1.
int listLevels(const QStringList& files) {
    if (files.size() != 1)
        return fail("--list needs one file", 2);
    const QString& file = files.front();
    if (!isReadableFile(file))
        return fail("cannot read " + file, 1);
    const auto listing = listFile(toPath(pathBytes(file)), pathBytes(file));
    for (const auto& line : listing.problems)
        printTo(stderr, pathText(line) + "\n");
    for (const auto& line : listing.lines)
        printTo(stdout, pathText(line) + "\n");
    return listing.problems.empty() ? 0 : 1;
}

// Why `tessaro FILE` leaves a file alone, before anything is read or written
// for it: it cannot be read (1), or it is not a level set (2). 0 when it is
// taken.
int refuseFile(const QString& given, const QString& file) {
    if (!isReadableFile(file))
        return fail("cannot read " + given, 1);
    const auto path = toPath(pathBytes(file));
    if (const auto notASet = notALevelSetFile(path))
        return fail(
            pathText(notALevelSetMessage(*notASet == path ? pathBytes(given) : fromPath(*notASet))),
            2);
    return 0;
}

// Everything but a plain start or a file to open runs without a window.
int runConsole(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    nameApplication();
    QCommandLineParser parser;
    const Options options;
    describe(parser, options);
    if (!parser.parse(QCoreApplication::arguments())) {
        printTo(stderr, "tessaro: " + parser.errorText() + "\n\n" + parser.helpText());
        return 2;
    }
    if (parser.isSet("help-all"))
        parser.process(QCoreApplication::arguments()); // prints Qt's options too, and exits 0
    if (parser.isSet("help")) {
        printTo(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet("version")) {
        printTo(stdout, "tessaro " + QCoreApplication::applicationVersion() + "\n");
        return 0;
    }
    if (parser.isSet(options.check) && parser.isSet(options.list))
        return fail("--check and --list go one at a time", 2);
    if (parser.isSet(options.check))
        return checkFiles(parser.positionalArguments());
    if (parser.isSet(options.list))
        return listLevels(parser.positionalArguments());
    printTo(stderr, parser.helpText());
    return 2;
}

// True when an argument is an option: the command line then runs on the console.
bool asksForConsole(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--")
            return false;
        if (argument.size() > 1 && argument.front() == '-')
            return true;
    }
    return false;
}

Utf8Path programFolder() {
    std::optional<Utf8Path> home;
    if (qEnvironmentVariableIsSet("TESSARO_HOME"))
        home = Utf8Path(pathBytes(qEnvironmentVariable("TESSARO_HOME")));
    return findProgramFolder(
        home, Utf8Path(pathBytes(QDir::toNativeSeparators(QApplication::applicationDirPath()))),
        Utf8Path(userDataFolder()));
}

#ifdef _WIN32
bool hasStream(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// A window program has no console: a console job writes to the one of the
// prompt that started it, where its output and error lead nowhere else.
void borrowParentConsole() {
    const ConsoleAttach plan =
        planConsoleAttach(hasStream(STD_OUTPUT_HANDLE), hasStream(STD_ERROR_HANDLE));
    if (!plan.attach || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (plan.output && std::freopen("CONOUT$", "w", stdout))
        SetStdHandle(STD_OUTPUT_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout))));
    if (plan.error && std::freopen("CONOUT$", "w", stderr))
        SetStdHandle(STD_ERROR_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stderr))));
}
#endif

} // namespace

int runApplication(int argc, char** argv) {
    if (asksForConsole(argc, argv)) {
#ifdef _WIN32
        borrowParentConsole();
#endif
        return runConsole(argc, argv);
    }

    QApplication app(argc, argv);
    nameApplication();
    // Ties the windows to the desktop entry (their class is "Tessaro", which
    // the entry's StartupWMClass names) and gives each the program's icon.
    QGuiApplication::setDesktopFileName("org.tessaro.Tessaro");
    QApplication::setWindowIcon(QIcon(":/icons/org.tessaro.Tessaro.svg"));
    QCommandLineParser parser;
    describe(parser, Options());
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return fail("one file at a time, please (or --check for several)", 2);

    const QString file = files.isEmpty() ? QString() : QFileInfo(files.front()).absoluteFilePath();
    if (!files.isEmpty())
        if (const int status = refuseFile(files.front(), file))
            return status;

    QtSettings settings;
    QtPlatform platform;
    const Utf8Path folder = programFolder();
    if (files.isEmpty()) {
        WindowHub hub(platform, settings, folder);
        hub.mainWindow().show();
        return app.exec();
    }
    const std::string path = pathBytes(file);
    if (endsWithIgnoreCase(path, ".ccx")) {
        WindowHub hub(platform, settings, folder);
        hub.openCcxFile(path);
        return app.exec();
    }
    LauncherModel model(platform, settings, folder.text());
    model.tileWorldFolder = joinAndClean(userDataFolder(), kTileWorldFolderName);
    model.start(systemDrives(), currentDrive());
    return model.playFile(path).done ? 0 : 1;
}

} // namespace tessaro
