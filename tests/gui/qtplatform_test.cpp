#include "gui/qtplatform.h"
#include "support/guitest.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tessaro {

// Starting a program for real, with a shell script standing in for the game.
class QtPlatformTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each description and its patterns become a Qt filter of their own, in order.
    void filterPairsBecomeQtFilters() {
        QCOMPARE(toQtFilter("Reports (.txt)|*.txt|Level sets|*.dat;*.ccl"),
                 "Reports (.txt) (*.txt);;Level sets (*.dat *.ccl)");
    }
#ifndef _WIN32
    // The game gets its folder and its words as given, in a session of its own; once it has ended
    // it is gone, and reaped. It waits on a pipe until the test has seen it running.
    void startedGameRunsInItsFolderUntilItEnds() {
        test::TempFolder home;
        const auto game = home.write("game", "#!/bin/sh\n(pwd; printf '%s\\n' \"$@\") > seen.tmp\n"
                                             "mv seen.tmp seen.txt\nread line < ../release\n");
        std::filesystem::permissions(game, std::filesystem::perms::owner_all);
        std::filesystem::create_directory(home / "play here");
        QCOMPARE(::mkfifo((home / "release").c_str(), 0600), 0);
        QtPlatform platform;
        const auto started =
            platform.startProgram({game, {"two words", "$HOME;*", ""}, home / "play here"});
        QVERIFY(started);
        const int release = ::open((home / "release").c_str(), O_WRONLY); // the game waits
        QVERIFY(platform.isRunning(*started) && ::getsid(pid_t(started->id)) != ::getsid(0));
        ::close(release);
        siginfo_t ended{};
        QCOMPARE(::waitid(P_PID, id_t(started->id), &ended, WEXITED | WNOWAIT), 0);
        QVERIFY(!platform.isRunning(*started));
        QCOMPARE(::waitpid(pid_t(started->id), nullptr, WNOHANG), -1); // reaped already
        QCOMPARE(home.read("play here/seen.txt"),
                 fromPath(std::filesystem::canonical(home / "play here")) +
                     "\ntwo words\n$HOME;*\n\n");
    }

    // A program that is missing, or a file that may not be run, does not start.
    void programThatCannotRunDoesNotStart() {
        test::TempFolder home;
        QtPlatform platform;
        QVERIFY(!platform.startProgram({home.write("game", "#!/bin/sh\n"), {}, home.path()}));
        QVERIFY(!platform.startProgram({home / "missing", {}, home.path()}));
        QVERIFY(!platform.startProgram({"tessaro-no-such-program", {}, home.path()}));
    }
#endif
};

TESSARO_GUI_TEST(QtPlatformTest)

} // namespace tessaro

#include "qtplatform_test.moc"
