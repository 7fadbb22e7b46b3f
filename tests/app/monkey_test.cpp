// Random actions over every window, as a player who presses anything would:
// no crash, no modal loop outside the Platform, no program started and no
// file outside the test's folders touched. TESSARO_MONKEY_SEED and
// TESSARO_MONKEY_ACTIONS replay a run (its seed is printed at the start, its
// last actions on a failure or crash). A long run needs Qt Test's five-minute
// limit raised: QTEST_FUNCTION_TIMEOUT=3600000.

#include "app/windowhub.h"
#include "common/folderlisting.h"
#include "common/paths.h"
#include "common/textfile.h"
#include "exe_creator/gameexe.h"
#include "gui/codepage.h"
#include "gui/keyrule.h"
#include "launcher/mainwindow.h"
#include "support/foldersnapshot.h"
#include "support/guitest.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <cstring>
#include <random>

#ifndef _WIN32
#include <unistd.h>
// There only in a build with the sanitizers.
extern "C" void __sanitizer_set_death_callback(void (*)()) __attribute__((weak));
#endif

namespace tessaro {

namespace {

namespace fs = std::filesystem;

// The run's replay line and last actions, as a crash handler can write them out.
char g_trail[16384];

#ifndef _WIN32
constexpr int kFatalSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};
struct sigaction g_previous[std::size(kFatalSignals)];

void writeTrail() {
    [[maybe_unused]] const auto written = ::write(2, g_trail, std::strlen(g_trail));
}

// Writes the trail, then hands the signal on to the handler that was there (Qt Test's).
void onFatalSignal(int signal) {
    writeTrail();
    for (std::size_t i = 0; i < std::size(kFatalSignals); ++i)
        if (kFatalSignals[i] == signal)
            sigaction(signal, &g_previous[i], nullptr);
    raise(signal);
}
#endif

// While on, a fatal signal or a sanitizer report writes the trail out first.
void reportCrashes(bool on) {
#ifndef _WIN32
    struct sigaction action {};
    action.sa_handler = onFatalSignal;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kFatalSignals); ++i)
        sigaction(kFatalSignals[i], on ? &action : &g_previous[i], on ? &g_previous[i] : nullptr);
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(on ? writeTrail : nullptr);
#endif
}

// The test's folders: "home" is the program folder, the home folder and the
// working folder; everything beside it ("outside") must stay as it was, and
// so must the read-only files in "home/locked".
struct Sandbox {
    Sandbox() {
        // The drive lists offer the home folder; relative names land in "work".
        qputenv("HOME", QByteArray::fromStdString(fromPath(home)));
        QDir::setCurrent(QString::fromStdString(fromPath(home / "work")));
    }
    ~Sandbox() {
        qputenv("HOME", oldHome);
        QDir::setCurrent(oldFolder);
    }
    bool fill() const {
        const std::string exe = test::makeGameExe(), ms("\xAC\xAA\x02\x00 set", 8);
        std::string noise(4096, '\0');
        for (std::size_t i = 0; i < noise.size(); ++i)
            noise[i] = static_cast<char>(i * 37 % 256);
        const auto write = [this](const std::string& bytes,
                                  std::initializer_list<const char*> names) {
            for (const char* name : names)
                temp.write(name, bytes);
        };
        // The other tests' CCX, DAC and score files, a game, and level sets:
        // the MS or Lynx signature, then bytes nothing here reads.
        fs::copy(TESSARO_TEST_DATA, home, fs::copy_options::recursive);
        write(*readFileBytes(home / "score_ini/middle-section.ini"),
              {"home/scores.ini", "home/tessaro.ini", "home/locked/scores.ini",
               "outside/tessaro.ini"});
        write(*readFileBytes(home / "ccx/written/demo-set.ccx"),
              {"home/locked/set.ccx", "outside/demo.ccx"});
        write(exe, {"home/CHIPS.EXE", "home/locked/CHIPS.EXE", "outside/CHIPS.EXE"});
        write(ms, {"home/sets/CHIPS.DAT", "home/sets/CCLP1.dat", "home/sets/caf\xE9.dat",
                   "home/sets/S\xC3\xA9t \xE2\x82\xAC.dat",
                   "home/sets/a level set with a name far too long.dat", "home/tw/data/CCLP3.DAT",
                   "home/locked/set.dat", "outside/CHIPS.DAT"});
        write("\xAC\xAA\x02\x01 lynx", {"home/sets/MYSET.CCL", "home/tw/data/MYSET.CCL"});
        write(fromPath(home / "sets/CHIPS.DAT") + "\r\n5\r\n6\r\nfast\r\n", {"home/sets/fast.ccf"});
        write("CHIPS.DAT\r\n1\r\n2\r\n", {"home/locked/fast.ccf", "outside/fast.ccf"});
        write("", {"home/sets/empty.dat", "home/sets/empty.ccf", "home/empty.ini",
                   "home/ccx/empty.ccx"});
        write(noise, {"home/ccx/noise.ccx", "home/noise.ini"});
        write(exe.substr(0, 300), {"home/short.exe"});
        write("one line only", {"home/sets/broken.ccf"});
        write("file=CCLP3.DAT\r\n", {"home/tw/sets/CCLP3.DAT-MS.dac"});
        write("CCLP1.dat\r\n\r\nTitles\r\n  1. Red Door\r\n 10. Ice Maze\r\n  2. Beach \x96 "
              "\xE9t\xE9\r\n",
              {"home/report.txt"});
        for (const auto& entry : fs::recursive_directory_iterator(home / "locked"))
            if (entry.is_regular_file())
                fs::permissions(entry.path(), fs::perms::owner_read | fs::perms::group_read);
        return fs::create_directory(home / "work");
    }

    bool contains(const std::string& path) const {
        const auto inside = toPath(path).lexically_normal().lexically_relative(home);
        return !path.empty() && !inside.empty() && *inside.begin() != "..";
    }
    // A text as the action log shows it, the same in every run.
    std::string shown(std::string text) const {
        const std::string name = fromPath(temp.path().filename());
        for (std::size_t at; (at = text.find(name)) != std::string::npos;)
            text.replace(at, name.size(), "<temp>");
        return text;
    }

    const QByteArray oldHome = qgetenv("HOME");
    const QString oldFolder = QDir::currentPath();
    test::TempFolder temp;
    const fs::path home = temp / "home";
    const bool filled = fill();
    const test::FolderSnapshot locked{home / "locked"}, outside{temp.path(), home};
};

std::string nameOf(const QObject& object) {
    return object.objectName().isEmpty() ? object.metaObject()->className()
                                         : object.objectName().toStdString();
}

// A control the player can reach: a shown, enabled widget or menu entry.
bool usable(QObject* control) {
    if (auto* action = qobject_cast<QAction*>(control))
        return action->isEnabled() && action->isVisible() && !action->isSeparator() &&
               !action->menu() && !action->objectName().isEmpty();
    auto* widget = qobject_cast<QWidget*>(control);
    return widget && widget->isVisible() && widget->isEnabled();
}

QAbstractItemModel* modelOf(QObject* control) {
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->model();
    auto* view = qobject_cast<QAbstractItemView*>(control);
    return view ? view->model() : nullptr;
}

void chooseEntry(QComboBox& combo, int index) {
    combo.setCurrentIndex(index);
    Q_EMIT combo.activated(index);
    Q_EMIT combo.textActivated(combo.itemText(index));
}

// One run of random actions; whatever it chooses is drawn from one generator
// in one order, so a seed replays the run.
class Monkey : public test::ScriptedPlatform::Answerer {
public:
    Monkey(std::uint64_t seed, std::string replay)
        : m_random(seed), m_replay(std::move(replay)),
          m_hub(m_platform, m_settings, fromPath(m_sandbox.home)) {
        m_platform.answerer = this;
        // A modal loop only the Platform may run: one that opens anyway is a
        // fault, and is closed so the run goes on.
        QObject::connect(&m_modalWatch, &QTimer::timeout, [this] {
            while (QWidget* modal = QApplication::activeModalWidget()) {
                fail("a modal window opened outside the Platform: " + nameOf(*modal));
                modal->hide();
            }
        });
        m_modalWatch.start(0);
    }
    ~Monkey() override {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == "UserGuide")
                delete window;
    }

    // Empty, or the fault that stopped the run. Every window opens through
    // the main window's menus, and the INI editor starts with a set loaded,
    // as a player would (random typing seldom gets there).
    std::string run(int actions) {
        m_window = &m_hub.mainWindow();
        m_window->show();
        begin("open every window, load CCLP1.dat from scores.ini");
        for (const char* entry :
             {"Dacgen", "ccxEditor", "IniEdit", "CreateEXE", "ccfEdit", "About"})
            m_window->findChild<QAction*>(entry)->trigger();
        QWidget* ini = m_hub.showIniEditor();
        test::control<QLineEdit>(*ini, "Text1")
            ->setText(QString::fromStdString(fromPath(m_sandbox.home / "scores.ini")));
        test::control<QLineEdit>(*ini, "Text2")->setText("CCLP1.dat");
        test::click(*ini, "cmdInfo");
        for (m_action = 1; m_action <= actions && m_fault.empty(); ++m_action)
            act();
        return m_fault;
    }
    const std::vector<std::string>& log() const { return m_log; }

    // The answers: any one the question or dialog allows.
    MessageAnswer answer(const test::RecordedMessage& question) override {
        const unsigned pick = below(question.buttons == MessageButtons::YesNoCancel ? 3 : 2);
        note(std::array{"answered Yes", "answered No", "answered Cancel"}[pick] +
             (" to " + quoted(question.text)));
        return std::array{MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel}[pick];
    }
    // A file there is (most often one the filter shows), a folder, or a new
    // name in a folder there is or one there is not.
    std::optional<FileChoice> chooseFile(const test::RecordedDialog& dialog) override {
        const std::string& filter = dialog.filterOrPrompt;
        fs::path path;
        if (const unsigned pick = below(12); pick < 6)
            path = randomFile(below(4) ? filter.substr(filter.find('|') + 1) : "");
        else if (pick < 9)
            path = m_sandbox.home /
                   std::array{"", "sets", "ccx", "tw/sets", "locked", "gone"}[below(6)] /
                   toPath(std::array{"new.ccx", "new.ini", "new.exe", "S\xC3\xA9t \xE2\x82\xAC.ccx",
                                     "no extension", "CON", " .ccx", "tessaro.7",
                                     "ludex.exe"}[below(9)]);
        else if (pick < 11)
            path = randomFile("").parent_path();
        note((dialog.kind == test::DialogKind::Open ? "opened " : "saved as ") +
             (path.empty() ? "<cancel>" : fromPath(path)));
        return path.empty() ? std::nullopt
                            : std::optional(FileChoice{fromPath(path), fromPath(path.filename())});
    }
    std::optional<std::string> lineInput(const test::RecordedDialog& dialog) override {
        std::optional<std::string> text;
        if (const unsigned pick = below(4); pick > 0)
            text = pick == 1 ? dialog.startFolderOrDefault : randomBytes();
        note("typed " + (text ? readable(*text) : "<cancel>"));
        return text;
    }
    std::optional<ColorValue> color(const test::RecordedDialog&) override {
        std::optional<ColorValue> color;
        if (below(4) != 0)
            color = static_cast<ColorValue>(m_random() & 0xFFFFFF);
        note("colour " + (color ? std::to_string(*color) : "<cancel>"));
        return color;
    }

private:
    unsigned below(std::size_t count) {
        return count ? static_cast<unsigned>(m_random() % count) : 0;
    }
    template <typename List> auto pickFrom(const List& list) {
        return list[below(std::size(list))];
    }

    // One of the test's files, of those the patterns match when there are any.
    fs::path randomFile(const std::string& patterns) {
        std::vector<fs::path> files, shown;
        for (const auto& entry : fs::recursive_directory_iterator(m_sandbox.home))
            if (entry.is_regular_file())
                (matchesFilePattern(fromPath(entry.path().filename()), patterns) ? shown : files)
                    .push_back(entry.path());
        auto& from = shown.empty() ? files : shown;
        std::sort(from.begin(), from.end());
        return pickFrom(from);
    }
    // Text a player might type: numbers near the limits, names the test's
    // files and sections have, or any characters of Windows-1252, the bytes
    // 0x80-0xFF included.
    std::string randomBytes() {
        static const char* const words[] = {
            "0",         "-1",       "144",      "149",           "32767",    "32768",
            "-32769",    "1e3",      " 7 ",      "2.5",           "999",      "",
            "CCLP1.dat", "mine.dat", "MINE.dat", "Other Set.ccl", "fast.ccf", "scores.ini",
            "CHIPS.DAT", "new.ccf",  "a\\b",     "../x",          "CON",      "LEVELS.DAT"};
        if (const unsigned pick = below(20); pick < 8)
            return pickFrom(words);
        else if (pick < 11)
            return fromPath(randomFile(""));
        std::string bytes(below(14), ' ');
        for (char& byte : bytes)
            byte = static_cast<char>(below(2) ? 0x20 + below(0x5F) : 0x80 + below(0x80));
        return bytes;
    }
    static std::string readable(const std::string& bytes) {
        return "\"" + fromBytes(bytes).toStdString() + "\"";
    }
    // A message as the log shows it: its start, on one line.
    std::string quoted(const std::string& text) const {
        std::string start = m_sandbox.shown(text).substr(0, 70);
        std::replace(start.begin(), start.end(), '\n', ' ');
        return "\"" + start + "\"";
    }

    // The log, and the trail a crash writes out: the last 20 actions.
    void begin(const std::string& what) {
        m_log.push_back("#" + std::to_string(m_action) + " " +
                        m_window->objectName().toStdString() + ": " + what);
        note({});
    }
    void note(const std::string& text) {
        m_log.back() = m_sandbox.shown(m_log.back() + (text.empty() ? "" : "; " + text));
        std::string trail = "monkey test failed; replay with " + m_replay + "\nlast actions:\n";
        for (auto line = m_log.end() - std::min<std::ptrdiff_t>(std::ssize(m_log), 20);
             line != m_log.end(); ++line)
            trail += "  " + *line + "\n";
        std::strncpy(g_trail, trail.c_str(), sizeof g_trail - 1);
    }
    void fail(const std::string& fault) {
        if (m_fault.empty())
            m_fault = fault;
    }

    // The windows shown, in the same order in every run.
    QWidgetList windows() {
        QWidgetList shown;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->windowType() != Qt::Popup &&
                window->windowType() != Qt::ToolTip)
                shown << window;
        std::sort(shown.begin(), shown.end(),
                  [](QWidget* a, QWidget* b) { return a->objectName() < b->objectName(); });
        return shown;
    }

    void act() {
        m_platform.messages.clear();
        const QWidgetList shown = windows();
        m_window = shown.isEmpty() ? &m_hub.mainWindow() : pickFrom(shown);
        if (shown.isEmpty()) {
            begin("Tessaro started again");
            return m_window->show();
        }
        m_window->activateWindow();
        QApplication::processEvents();
        actOnWindow();
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const auto& message : m_platform.messages)
            if (message.buttons == MessageButtons::Ok)
                note("told " + quoted(message.text));
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        check();
    }

    // A kind of action drawn by weight, on a control of the window it fits;
    // one the window has nothing for is drawn again.
    void actOnWindow() {
        using Kind = std::tuple<unsigned, bool (*)(QObject*), bool (Monkey::*)(QObject&)>;
        static constexpr Kind kinds[] = {
            {24, [](QObject* o) { return o->inherits("QAbstractButton"); }, &Monkey::click},
            {12, [](QObject* o) { return o->inherits("QAction"); }, &Monkey::trigger},
            {17, [](QObject* o) { return o->property("focusPolicy").toInt() != Qt::NoFocus; },
             &Monkey::pressKey},
            {18, [](QObject* o) { return KeyRule::isTextBox(o); }, &Monkey::typeText},
            {23, [](QObject* o) { return modelOf(o) && modelOf(o)->rowCount() > 0; },
             &Monkey::choose},
            {4, [](QObject* o) { return o->inherits("QLabel"); }, &Monkey::followLink},
            {2, [](QObject* o) { return !o->parent(); }, &Monkey::close}};
        QObjectList controls = m_window->findChildren<QObject*>();
        controls.prepend(m_window);
        for (int tries = 0; tries < 1000; ++tries) {
            const Kind* kind = kinds;
            for (unsigned draw = below(100); draw >= std::get<0>(*kind); ++kind)
                draw -= std::get<0>(*kind);
            QObjectList fit;
            for (QObject* control : controls)
                if (usable(control) && std::get<1>(*kind)(control))
                    fit << control;
            if (!fit.isEmpty() && (this->*std::get<2>(*kind))(*pickFrom(fit)))
                return;
        }
    }

    bool click(QObject& control) {
        auto& button = static_cast<QAbstractButton&>(control);
        // A window that closes at every other click never gets far.
        if ((button.text() == "Exit" || button.text() == "Cancel") && below(4) != 0)
            return false;
        begin("click " + nameOf(button));
        QTest::mouseClick(&button, Qt::LeftButton);
        return true;
    }
    bool trigger(QObject& action) {
        begin("menu " + nameOf(action));
        static_cast<QAction&>(action).trigger();
        return true;
    }
    // A key, often a shortcut, to the control or to the one with the focus.
    bool pressKey(QObject& control) {
        static const QStringList keys =
            QString("Return Enter Esc Tab Backtab Up Down Left Right Home End PgUp PgDown Del "
                    "Backspace Space F1 F4 Shift+H Alt+Down Alt+P Alt+F")
                .split(' ');
        const QKeySequence key(below(3) == 0 ? QString("Ctrl+") + QChar('A' + below(26))
                                             : pickFrom(keys));
        QWidget* target = QApplication::focusWidget();
        if (below(2) == 0 || !target || target->window() != m_window) {
            target = static_cast<QWidget*>(&control);
            target->setFocus(Qt::OtherFocusReason);
        }
        begin("key " + key.toString().toStdString() + " on " + nameOf(*target));
        QTest::keySequence(target, key);
        return true;
    }
    // Typing into a text box as key presses, half the time over its whole
    // text, or now and then pasting a long text with lines.
    bool typeText(QObject& control) {
        auto* box = static_cast<QWidget*>(&control);
        const unsigned how = below(6);
        std::string bytes = how ? randomBytes() : std::string(below(3000), '\n');
        for (char& byte : bytes)
            if (!how && below(8) != 0)
                byte = static_cast<char>(0x20 + below(0xE0));
        begin(
            std::array{"paste ", "replace with ", "replace with ", "type ", "type ", "type "}[how] +
            (how ? readable(bytes) : std::to_string(bytes.size()) + " characters") + " in " +
            nameOf(*box));
        box->setFocus(Qt::OtherFocusReason);
        QApplication::clipboard()->setText(fromBytes(bytes));
        if (how == 1 || how == 2)
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        if (how == 0)
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        else
            for (const QChar character : fromBytes(bytes))
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character),
                                    Qt::NoModifier);
        return true;
    }
    // Any row of a list, tree or combo box: clicked, double-clicked or
    // chosen. Folders and drives outside the test's folders are left alone
    // (a key may still get there; check() brings it back).
    bool choose(QObject& control) {
        QAbstractItemModel* model = modelOf(&control);
        const QModelIndexList rows = model->match(model->index(0, 0), Qt::DisplayRole, QString(),
                                                  2000, Qt::MatchContains | Qt::MatchRecursive);
        if (rows.isEmpty())
            return false;
        const QModelIndex row = pickFrom(rows);
        auto* combo = qobject_cast<QComboBox*>(&control);
        const bool twice = !combo && below(3) == 0;
        if ((combo || twice) && leavesSandbox(row.data(Qt::UserRole)))
            return false;
        begin(std::array{"click ", "double-click ", "choose "}[combo ? 2 : twice] +
              nameOf(control) + " row " + std::to_string(row.row()) + " " +
              row.data().toString().left(40).toStdString());
        if (combo) {
            chooseEntry(*combo, row.row());
            return true;
        }
        auto& view = static_cast<QAbstractItemView&>(control);
        view.scrollTo(row);
        QTest::mouseEvent(twice ? QTest::MouseDClick : QTest::MouseClick, view.viewport(),
                          Qt::LeftButton, {}, view.visualRect(row).center());
        return true;
    }
    // A link in a label, as a click on it follows it.
    bool followLink(QObject& label) {
        const QString text = label.property("text").toString(), href = text.section('"', 1, 1);
        if (!text.contains("<a href="))
            return false;
        begin("follow " + nameOf(label) + " to " + href.toStdString());
        Q_EMIT static_cast<QLabel&>(label).linkActivated(href);
        return true;
    }
    bool close(QObject& window) {
        begin("closed");
        static_cast<QWidget&>(window).close();
        return true;
    }

    bool leavesSandbox(const QVariant& data) const {
        return data.toByteArray().startsWith('/') &&
               !m_sandbox.contains(data.toByteArray().toStdString());
    }

    // A drive list moved off the test's folders (by a key) goes back; then
    // the checks.
    void check() {
        for (QWidget* window : windows()) {
            for (QComboBox* combo : window->findChildren<QComboBox*>())
                if (leavesSandbox(combo->currentData())) {
                    const int home =
                        combo->findData(QByteArray::fromStdString(fromPath(m_sandbox.home)));
                    if (home < 0)
                        return fail("no drive entry for the test's home folder in " +
                                    nameOf(*combo));
                    chooseEntry(*combo, home);
                    QApplication::processEvents();
                }
            for (const char* name : {"currentFolder", "dataFolder", "setsFolder"})
                if (auto* shown = window->findChild<QWidget*>(name);
                    shown && !m_sandbox.contains(pathBytes(shown->property("text").toString())))
                    return fail(std::string(name) + " outside the test's folders: " +
                                shown->property("text").toString().toStdString());
        }
        for (const auto& start : m_platform.starts)
            if (!m_sandbox.contains(fromPath(start.workingFolder)))
                return fail("a program started in " + fromPath(start.workingFolder));
        m_platform.starts.clear();
        // A new file in "home/locked" is fine: only the files there are read-only.
        if (const auto changes = m_sandbox.outside.changes(); !changes.empty())
            return fail(changes.front() + " beside " + fromPath(m_sandbox.home));
        for (const auto& change : m_sandbox.locked.changes())
            if (change.rfind("new ", 0) != 0)
                return fail(change + " in " + fromPath(m_sandbox.home / "locked"));
    }

    std::mt19937_64 m_random;
    const std::string m_replay;
    const Sandbox m_sandbox;
    test::ScriptedPlatform m_platform;
    test::MemorySettings m_settings;
    WindowHub m_hub;
    QTimer m_modalWatch;
    QWidget* m_window = nullptr;
    int m_action = 0;
    std::string m_fault;
    std::vector<std::string> m_log;
};

QtMessageHandler g_qtMessages = nullptr;

// Runs the monkey: the fault that stopped it (the replay line and last
// actions printed then), and the log of its actions.
std::pair<QString, std::vector<std::string>> runMonkey(std::uint64_t seed, int actions) {
    const std::string replay = "TESSARO_MONKEY_SEED=" + std::to_string(seed) +
                               " TESSARO_MONKEY_ACTIONS=" + std::to_string(actions);
    qInfo("monkey: %s", replay.c_str());
    reportCrashes(true);
    // The offscreen platform warns of every window raised; a run would drown in it.
    g_qtMessages = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.startsWith("This plugin does not support"))
                g_qtMessages(type, context, text);
        });
    const auto restore = qScopeGuard([] {
        qInstallMessageHandler(g_qtMessages);
        reportCrashes(false);
    });
    Monkey monkey(seed, replay);
    const QString fault = QString::fromStdString(monkey.run(actions));
    if (!fault.isEmpty())
        std::fputs(g_trail, stderr); // whole, as the test's own message would be cut short
    return {fault, monkey.log()};
}

std::uint64_t fromEnvironment(const char* name, std::uint64_t fallback) {
    bool ok = false;
    const auto value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A short run of one seed, twice: no fault, every window had its turn, and
    // the same actions each time, so a seed that finds a fault replays it.
    void aFixedSeedRunsCleanAndReplaysTheSameActions() {
        const auto [fault, first] = runMonkey(20261207, 300);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        const auto [faultAgain, second] = runMonkey(20261207, 300);
        QVERIFY2(faultAgain.isEmpty(), qPrintable(faultAgain));
        QString windows;
        for (const auto& line : first)
            windows += QString::fromStdString(line.substr(0, line.find(':') + 1));
        for (const char* window :
             {"AboutForm", "Form1", "Form2", "Form3", "Form4", "Form5", "Form6"})
            QVERIFY2(windows.contains(QString(" ") + window + ":"), window);
        const auto differs =
            std::mismatch(first.begin(), first.end(), second.begin(), second.end());
        QCOMPARE(QString::fromStdString(differs.second == second.end() ? "" : *differs.second),
                 QString::fromStdString(differs.first == first.end() ? "" : *differs.first));
    }

    void randomActionsOverEveryWindowLeaveNoFault() {
        const auto seed = fromEnvironment("TESSARO_MONKEY_SEED", std::random_device{}());
        const QString fault =
            runMonkey(seed, static_cast<int>(fromEnvironment("TESSARO_MONKEY_ACTIONS", 5000)))
                .first;
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
};

TESSARO_GUI_TEST(MonkeyTest)

} // namespace tessaro

#include "monkey_test.moc"
