// Random actions over every window, as a player who presses anything would:
// no crash, no modal loop outside the Platform, and no file outside the
// test's folders touched. TESSARO_MONKEY_SEED and TESSARO_MONKEY_ACTIONS
// replay a run (the seed is printed at its start, the last actions on
// failure); TESSARO_MONKEY_LOG=1 prints every action. A long run, say
//   TESSARO_MONKEY_ACTIONS=100000 QTEST_FUNCTION_TIMEOUT=3600000 gui_tests MonkeyTest
// needs Qt Test's limit of five minutes a test raised.

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
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <optional>
#include <random>
#include <set>

#ifndef _WIN32
#include <unistd.h>
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TESSARO_MONKEY_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESSARO_MONKEY_SANITIZED 1
#endif
#endif
#ifdef TESSARO_MONKEY_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace tessaro {

namespace {

namespace fs = std::filesystem;

// The last actions, kept as one text a crash handler can write out as it is.
class Trail {
public:
    static Trail& current() {
        static Trail trail;
        return trail;
    }
    void add(std::string line) {
        m_lines.push_back(std::move(line));
        if (m_lines.size() > 20)
            m_lines.pop_front();
        update();
    }
    void appendToLast(const std::string& text) {
        if (!m_lines.empty())
            m_lines.back() += text;
        update();
    }
    void start(const std::string& header) {
        m_header = header;
        m_lines.clear();
        update();
    }
    const char* text() const { return m_text.data(); }

private:
    void update() {
        std::string all = m_header + "\nlast actions:\n";
        for (const auto& line : m_lines)
            all += "  " + line + "\n";
        all.resize(std::min(all.size(), m_text.size() - 1));
        std::memcpy(m_text.data(), all.c_str(), all.size() + 1);
    }

    std::string m_header;
    std::deque<std::string> m_lines;
    std::array<char, 16384> m_text{};
};

void writeTrail() {
#ifndef _WIN32
    const char* text = Trail::current().text();
    [[maybe_unused]] const auto written = ::write(2, text, std::strlen(text));
#endif
}

// Writes the trail on a fatal signal or a sanitizer report, then lets the
// handler that was there (Qt Test's) go on.
class CrashReport {
public:
    CrashReport() {
#ifndef _WIN32
        struct sigaction action {};
        action.sa_handler = onFatalSignal;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < kSignals.size(); ++i)
            sigaction(kSignals[i], &action, &s_previous[i]);
#endif
#ifdef TESSARO_MONKEY_SANITIZED
        __sanitizer_set_death_callback(writeTrail);
#endif
    }
    ~CrashReport() {
#ifndef _WIN32
        for (std::size_t i = 0; i < kSignals.size(); ++i)
            sigaction(kSignals[i], &s_previous[i], nullptr);
#endif
#ifdef TESSARO_MONKEY_SANITIZED
        __sanitizer_set_death_callback(nullptr);
#endif
    }

private:
#ifndef _WIN32
    static void onFatalSignal(int signal) {
        writeTrail();
        for (std::size_t i = 0; i < kSignals.size(); ++i)
            if (kSignals[i] == signal)
                sigaction(signal, &s_previous[i], nullptr);
        // Delivered to the previous handler once this one returns.
        raise(signal);
    }
    static constexpr std::array<int, 5> kSignals{SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};
    static inline std::array<struct sigaction, kSignals.size()> s_previous{};
#endif
};

// A level set file: the MS or Lynx signature, then bytes nothing here reads.
std::string levelSet(bool lynx, const std::string& body) {
    return std::string("\xAC\xAA\x02") + (lynx ? '\x01' : '\x00') + body;
}

// The test's folders: "home" is the program folder, the home folder and the
// working folder; everything beside it ("outside") must stay as it was, and
// so must the read-only files in "home/locked".
class Sandbox {
public:
    Sandbox() : home(temp / "home") {
        const auto data = fs::path(TESSARO_TEST_DATA);
        const std::string exe = test::makeGameExe();
        const std::string scores = *readFileBytes(data / "score_ini/middle-section.ini");
        const std::string report = "CCLP1.dat\r\n\r\nTitles\r\n  1. Red Door\r\n 10. Ice Maze\r\n  "
                                   "2. Beach \x96 \xE9t\xE9\r\n";
        const std::string setsFolder = fromPath(home / "sets");
        std::string noise(4096, '\0');
        for (std::size_t i = 0; i < noise.size(); ++i)
            noise[i] = static_cast<char>(i * 37 % 256);
        for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
                 {"home/CHIPS.EXE", exe},
                 {"home/tessaro.ini", scores},
                 {"home/scores.ini", scores},
                 {"home/report.txt", report},
                 {"home/sets/CHIPS.DAT", levelSet(false, "chips")},
                 {"home/sets/CCLP1.dat", levelSet(false, "cclp1")},
                 {"home/sets/MYSET.CCL", levelSet(true, "lynx")},
                 {"home/sets/S\xC3\xA9t \xE2\x82\xAC.dat", levelSet(false, "named")},
                 {"home/sets/a level set with a name far too long.dat", levelSet(false, "")},
                 {"home/sets/fast.ccf", setsFolder + "/CHIPS.DAT\r\n5\r\n6\r\nfast\r\n"},
                 {"home/sets/broken.ccf", "one line only"},
                 {"home/sets/caf\xE9.dat", levelSet(false, "a Latin-1 name")},
                 {"home/sets/empty.dat", ""},
                 {"home/sets/empty.ccf", ""},
                 {"home/short.exe", exe.substr(0, 300)},
                 {"home/empty.ini", ""},
                 {"home/ccx/empty.ccx", ""},
                 {"home/ccx/noise.ccx", noise},
                 {"home/noise.ini", noise},
                 {"home/tw/data/CCLP3.DAT", levelSet(false, "cclp3")},
                 {"home/tw/data/MYSET.CCL", levelSet(true, "lynx")},
                 {"home/tw/sets/CCLP3.DAT-MS.dac", "file=CCLP3.DAT\r\n"},
                 {"home/locked/CHIPS.EXE", exe},
                 {"home/locked/scores.ini", scores},
                 {"home/locked/set.ccx", *readFileBytes(data / "ccx/written/demo-set.ccx")},
                 {"home/locked/set.dat", levelSet(false, "locked")},
                 {"home/locked/fast.ccf", "x.dat\r\n1\r\n2\r\n"},
                 {"outside/CHIPS.EXE", exe},
                 {"outside/ludex.exe", exe},
                 {"outside/tessaro.7", levelSet(false, "outside")},
                 {"outside/tessaro.ini", scores},
                 {"outside/demo.ccx", *readFileBytes(data / "ccx/written/demo-set.ccx")},
                 {"outside/CHIPS.DAT", levelSet(false, "outside")},
                 {"outside/fast.ccf", "CHIPS.DAT\r\n1\r\n2\r\n"}})
            temp.write(name, bytes);
        fs::create_directories(home / "ccx");
        for (const auto& entry : fs::recursive_directory_iterator(data / "ccx"))
            if (entry.is_regular_file() && entry.path().extension() == ".ccx")
                fs::copy_file(entry.path(), home / "ccx" / entry.path().filename(),
                              fs::copy_options::overwrite_existing);
        for (const auto& entry : fs::directory_iterator(home / "locked"))
            fs::permissions(entry.path(), fs::perms::owner_read | fs::perms::group_read);
        fs::create_directory(home / "work");
        m_locked.emplace(home / "locked");
        m_outside.emplace(temp.path(), home);

        // The drive lists offer the home folder; relative names land in "work".
        m_oldHome = qgetenv("HOME");
        m_oldFolder = QDir::currentPath();
        qputenv("HOME", QByteArray::fromStdString(fromPath(home)));
        QDir::setCurrent(QString::fromStdString(fromPath(home / "work")));
    }
    ~Sandbox() {
        qputenv("HOME", m_oldHome);
        QDir::setCurrent(m_oldFolder);
    }

    bool contains(const std::string& path) const {
        const auto inside = fs::path(path).lexically_normal().lexically_relative(home);
        return !path.empty() && !inside.empty() && *inside.begin() != "..";
    }
    // Empty, or the first file outside the test's folders that changed (a
    // new file in "home/locked" is fine: only the files there are read-only).
    std::string changedOutside() const {
        if (const auto changes = m_outside->changes(); !changes.empty())
            return changes.front() + " beside " + fromPath(home);
        for (const auto& change : m_locked->changes())
            if (change.rfind("new ", 0) != 0)
                return change + " in " + fromPath(home / "locked");
        return {};
    }
    // A path as the action log shows it, the same in every run.
    std::string shown(std::string text) const {
        const std::string name = fromPath(temp.path().filename());
        for (std::size_t at; (at = text.find(name)) != std::string::npos;)
            text.replace(at, name.size(), "<temp>");
        return text;
    }

    test::TempFolder temp;
    fs::path home;

private:
    std::optional<test::FolderSnapshot> m_locked, m_outside;
    QByteArray m_oldHome;
    QString m_oldFolder;
};

// One run of random actions; whatever a run may choose at random is drawn from
// one generator in one order, so a seed replays the run.
class Monkey : public test::ScriptedPlatform::Answerer {
public:
    Monkey(std::uint64_t seed, Sandbox& sandbox)
        : m_random(seed), m_sandbox(sandbox),
          m_hub(m_platform, m_settings, fromPath(sandbox.home)) {
        m_platform.answerer = this;
        m_hub.mainWindow().show();
    }

    // Empty, or what went wrong.
    std::string run(int actions) {
        m_modalWatch.setInterval(0);
        QObject::connect(&m_modalWatch, &QTimer::timeout, [this] { closeModalWindows(); });
        // Every window opens first, through the main window's menus.
        m_modalWatch.start();
        for (const char* entry :
             {"Dacgen", "ccxEditor", "IniEdit", "CreateEXE", "ccfEdit", "About"}) {
            begin(m_hub.mainWindow(), std::string("menu ") + entry);
            m_hub.mainWindow().findChild<QAction*>(entry)->trigger();
        }
        // The INI editor's list commands need a loaded set, which random
        // typing seldom gets to: the run starts with one, as a player would.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() != "Form5")
                continue;
            begin(*window, "load CCLP1.dat from scores.ini");
            test::control<QLineEdit>(*window, "Text1")
                ->setText(QString::fromStdString(fromPath(m_sandbox.home / "scores.ini")));
            test::control<QLineEdit>(*window, "Text2")->setText("CCLP1.dat");
            test::click(*window, "cmdInfo");
        }
        QApplication::processEvents();
        m_modalWatch.stop();
        for (m_action = 1; m_action <= actions && m_fault.empty(); ++m_action) {
            act();
            if (m_fault.empty())
                m_fault = check();
        }
        m_modalWatch.stop();
        return m_fault;
    }
    const std::vector<std::string>& log() const { return m_log; }

    ~Monkey() override {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == "UserGuide")
                delete window;
    }

    // The answers: any one the question or dialog allows.
    MessageAnswer answer(const test::RecordedMessage& question) override {
        const bool cancel = question.buttons == MessageButtons::YesNoCancel;
        const auto answer = std::array{MessageAnswer::Yes, MessageAnswer::No,
                                       MessageAnswer::Cancel}[below(cancel ? 3 : 2)];
        note("answered " +
             std::string(answer == MessageAnswer::Yes  ? "Yes"
                         : answer == MessageAnswer::No ? "No"
                                                       : "Cancel") +
             " to " + quoted(question.text));
        return answer;
    }
    std::optional<FileChoice> chooseFile(const test::RecordedDialog& dialog) override {
        std::optional<FileChoice> choice;
        const auto patterns = dialog.filterOrPrompt.substr(dialog.filterOrPrompt.find('|') + 1);
        const unsigned pick = below(12);
        if (pick == 11) { // a folder
            static const char* const folders[] = {"", "sets", "ccx"};
            const auto folder = m_sandbox.home / folders[below(std::size(folders))];
            choice = FileChoice{fromPath(folder), fromPath(folder.filename())};
        } else if (pick < 6) { // a file there is, most often one the filter shows
            const auto file = randomFile(below(4) != 0 ? patterns : "");
            choice = FileChoice{fromPath(file), fromPath(file.filename())};
        } else if (pick < 9) { // a new name, in a folder there is or one there is not
            static const char* const folders[] = {"", "sets", "ccx", "tw/sets", "locked", "gone"};
            static const char* const names[] = {
                "new.ccx",      "new.ini",   "new.exe", "new.txt", "S\xC3\xA9t \xE2\x82\xAC.ccx",
                "no extension", "a.b.c.ccx", "CON",     " .ccx",   "tessaro.7",
                "ludex.exe"};
            const std::string name = names[below(std::size(names))];
            choice = FileChoice{
                fromPath(m_sandbox.home / folders[below(std::size(folders))] / toPath(name)), name};
        }
        note(std::string(dialog.kind == test::DialogKind::Open ? "opened " : "saved as ") +
             (choice ? m_sandbox.shown(choice->path) : "<cancel>"));
        return choice;
    }
    std::optional<std::string> lineInput(const test::RecordedDialog& dialog) override {
        std::optional<std::string> text;
        if (const unsigned pick = below(4); pick == 1)
            text = dialog.startFolderOrDefault;
        else if (pick > 1)
            text = randomBytes();
        note("typed " + (text ? readable(*text) : "<cancel>"));
        return text;
    }
    std::optional<ColorValue> color(const test::RecordedDialog&) override {
        std::optional<ColorValue> color;
        if (below(4) != 0)
            color = static_cast<ColorValue>(m_random() & 0xFFFFFF);
        note(color ? "colour " + std::to_string(*color) : "colour <cancel>");
        return color;
    }

private:
    unsigned below(std::size_t count) {
        return count ? static_cast<unsigned>(m_random() % count) : 0;
    }

    // One of the test's files, of those the patterns match when there are any.
    fs::path randomFile(const std::string& patterns) {
        std::vector<fs::path> files, shown;
        for (const auto& entry : fs::recursive_directory_iterator(m_sandbox.home))
            if (entry.is_regular_file()) {
                files.push_back(entry.path());
                if (matchesFilePattern(fromPath(entry.path().filename()), patterns))
                    shown.push_back(entry.path());
            }
        std::sort(files.begin(), files.end());
        std::sort(shown.begin(), shown.end());
        const auto& from = shown.empty() ? files : shown;
        return from[below(from.size())];
    }

    // Typed bytes as the log shows them.
    static std::string readable(const std::string& bytes) {
        return "\"" + fromBytes(bytes).toStdString() + "\"";
    }
    // A message as the log shows it: its start, the same in every run.
    std::string quoted(const std::string& text) const {
        return "\"" + m_sandbox.shown(text).substr(0, 70) + "\"";
    }
    void note(const std::string& text) {
        const std::string shown = "; " + m_sandbox.shown(text);
        Trail::current().appendToLast(shown);
        if (!m_log.empty())
            m_log.back() += shown;
        if (m_echo)
            std::fprintf(stderr, "    %s\n", shown.c_str() + 2);
    }
    void begin(const QWidget& window, const std::string& what) {
        std::string line = "#" + std::to_string(m_action) + " " +
                           window.objectName().toStdString() + ": " + m_sandbox.shown(what);
        Trail::current().add(line);
        if (m_echo)
            std::fprintf(stderr, "%s\n", line.c_str());
        m_log.push_back(std::move(line));
    }

    static std::string nameOf(const QObject& object) {
        if (!object.objectName().isEmpty())
            return object.objectName().toStdString();
        return object.metaObject()->className();
    }

    // Text a player might type: words that mean something here, or any
    // characters Windows-1252 has, the bytes 0x80-0xFF included.
    std::string randomBytes() {
        // Numbers near the limits, and names the test's files and sections have.
        static const char* const words[] = {
            "0",         "-1",       "144",      "149",           "32767",    "32768",
            "-32769",    "1e3",      " 7 ",      "2.5",           "999",      "",
            "CCLP1.dat", "mine.dat", "MINE.dat", "Other Set.ccl", "fast.ccf", "scores.ini",
            "CHIPS.DAT", "new.ccf",  "a\\b",     "../x",          "CON",      "LEVELS.DAT"};
        if (const unsigned pick = below(20); pick < 8)
            return words[below(std::size(words))];
        else if (pick < 11)
            return fromPath(randomFile(""));
        std::string bytes(below(14), ' ');
        for (char& byte : bytes)
            byte = static_cast<char>(below(2) ? 0x20 + below(0x5F) : 0x80 + below(0x80));
        return bytes;
    }

    QWidgetList windows() {
        QWidgetList shown;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->windowType() != Qt::Popup &&
                window->windowType() != Qt::ToolTip)
                shown << window;
        // The same order in every run.
        std::sort(shown.begin(), shown.end(), [](const QWidget* a, const QWidget* b) {
            return a->objectName() < b->objectName();
        });
        return shown;
    }

    template <typename T> QList<T*> usable(const QWidget& window, bool (*keep)(T*) = nullptr) {
        QList<T*> found;
        for (T* control : window.findChildren<T*>())
            if (control->isVisible() && control->isEnabled() && (!keep || keep(control)))
                found << control;
        return found;
    }

    void act() {
        m_platform.messages.clear();
        m_platform.dialogs.clear();
        const QWidgetList shown = windows();
        if (shown.isEmpty()) {
            begin(m_hub.mainWindow(), "Tessaro started again");
            m_hub.mainWindow().show();
            return;
        }
        QPointer<QWidget> window = shown[below(shown.size())];
        window->activateWindow();
        QApplication::processEvents();
        m_modalWatch.start();
        // Kinds of action by weight; one the window has nothing for is drawn again.
        static constexpr std::pair<unsigned, bool (Monkey::*)(QWidget&)> kinds[] = {
            {28, &Monkey::clickButton},     {12, &Monkey::triggerAction}, {18, &Monkey::pressKey},
            {15, &Monkey::typeText},        {3, &Monkey::paste},          {16, &Monkey::chooseItem},
            {5, &Monkey::chooseComboEntry}, {2, &Monkey::closeWindow},    {1, &Monkey::followLink}};
        for (bool done = false; !done;) {
            unsigned draw = below(100);
            for (const auto& [weight, kind] : kinds) {
                if (draw < weight) {
                    done = (this->*kind)(*window);
                    break;
                }
                draw -= weight;
            }
        }
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_modalWatch.stop();
        for (const auto& message : m_platform.messages)
            if (message.buttons == MessageButtons::Ok)
                note("told " + quoted(message.text));
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    bool clickButton(QWidget& window) {
        const auto buttons = usable<QAbstractButton>(window);
        if (buttons.isEmpty())
            return false;
        QAbstractButton* button = buttons[below(buttons.size())];
        // A window that closes at every other click never gets far.
        if ((button->text() == "Exit" || button->text() == "Cancel") && below(4) != 0)
            return false;
        begin(window, "click " + nameOf(*button));
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    }

    // A link in a label, as a click on it follows it.
    bool followLink(QWidget& window) {
        const auto links = usable<QLabel>(
            window, +[](QLabel* label) { return label->text().contains("<a href="); });
        if (links.isEmpty())
            return false;
        QLabel* label = links[below(links.size())];
        const QString href = label->text().section('"', 1, 1);
        begin(window, "follow " + nameOf(*label) + " to " + href.toStdString());
        Q_EMIT label->linkActivated(href);
        return true;
    }

    bool triggerAction(QWidget& window) {
        QList<QAction*> actions;
        for (QAction* action : window.findChildren<QAction*>())
            if (!action->objectName().isEmpty() && !action->isSeparator() && !action->menu() &&
                action->isEnabled() && action->isVisible())
                actions << action;
        if (actions.isEmpty())
            return false;
        QAction* action = actions[below(actions.size())];
        begin(window, "menu " + nameOf(*action));
        action->trigger();
        return true;
    }

    // A key to the focused control, or to one given the focus first.
    bool pressKey(QWidget& window) {
        static const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_Return, {}},
            {Qt::Key_Enter, {}},
            {Qt::Key_Escape, {}},
            {Qt::Key_Tab, {}},
            {Qt::Key_Backtab, {}},
            {Qt::Key_Up, {}},
            {Qt::Key_Down, {}},
            {Qt::Key_Left, {}},
            {Qt::Key_Right, {}},
            {Qt::Key_Home, {}},
            {Qt::Key_End, {}},
            {Qt::Key_PageUp, {}},
            {Qt::Key_PageDown, {}},
            {Qt::Key_Delete, {}},
            {Qt::Key_Backspace, {}},
            {Qt::Key_Space, {}},
            {Qt::Key_F1, {}},
            {Qt::Key_F4, {}},
            {Qt::Key_H, Qt::ShiftModifier},
            {Qt::Key_Down, Qt::AltModifier},
            {Qt::Key_P, Qt::AltModifier},
            {Qt::Key_F, Qt::AltModifier}};
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        if (below(3) == 0) { // a Ctrl shortcut, any letter
            key = static_cast<Qt::Key>(Qt::Key_A + below(26));
            modifiers = Qt::ControlModifier;
        } else {
            std::tie(key, modifiers) = keys[below(std::size(keys))];
        }
        QWidget* target = QApplication::focusWidget();
        if (below(2) == 0 || !target || target->window() != &window) {
            const auto controls = usable<QWidget>(
                window, +[](QWidget* w) { return w->focusPolicy() != Qt::NoFocus; });
            target = controls.isEmpty() ? &window : controls[below(controls.size())];
            target->setFocus(Qt::OtherFocusReason);
        }
        begin(window, "key " + QKeySequence(key | modifiers).toString().toStdString() + " on " +
                          nameOf(*target));
        QTest::keyClick(target, key, modifiers);
        return true;
    }

    // Typing into a text box, as key presses; half the time over its whole text.
    bool typeText(QWidget& window) {
        const auto boxes = usable<QWidget>(
            window, +[](QWidget* w) { return KeyRule::isTextBox(w); });
        if (boxes.isEmpty())
            return false;
        QWidget* box = boxes[below(boxes.size())];
        const std::string bytes = randomBytes();
        const bool replace = below(2) == 0;
        begin(window, std::string(replace ? "replace with " : "type ") + readable(bytes) + " in " +
                          nameOf(*box));
        box->setFocus(Qt::OtherFocusReason);
        if (replace)
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        for (const QChar character : fromBytes(bytes))
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
        return true;
    }

    // A long text, lines and all, pasted into a text box.
    bool paste(QWidget& window) {
        const auto boxes = usable<QWidget>(
            window, +[](QWidget* w) { return KeyRule::isTextBox(w); });
        if (boxes.isEmpty())
            return false;
        QWidget* box = boxes[below(boxes.size())];
        std::string bytes(below(3000), ' ');
        for (char& byte : bytes)
            byte = static_cast<char>(below(8) == 0 ? '\n' : 0x20 + below(0xE0));
        begin(window, "paste " + std::to_string(bytes.size()) + " characters in " + nameOf(*box));
        QApplication::clipboard()->setText(fromBytes(bytes));
        box->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        return true;
    }

    // A path an entry carries: folders and drives outside the test's folders
    // are left alone (a key may still get there; check() brings it back).
    bool leavesSandbox(const QVariant& data) const {
        const std::string path = data.toByteArray().toStdString();
        return !path.empty() && path.front() == '/' && !m_sandbox.contains(path);
    }

    bool chooseItem(QWidget& window) {
        const auto views = usable<QAbstractItemView>(
            window, +[](QAbstractItemView* v) { return v->model() && v->model()->rowCount() > 0; });
        if (views.isEmpty())
            return false;
        QAbstractItemView* view = views[below(views.size())];
        QModelIndexList rows;
        std::vector<QModelIndex> todo{QModelIndex()};
        while (!todo.empty() && rows.size() < 2000) {
            const QModelIndex parent = todo.back();
            todo.pop_back();
            for (int row = 0; row < view->model()->rowCount(parent); ++row) {
                rows << view->model()->index(row, 0, parent);
                todo.push_back(rows.back());
            }
        }
        const QModelIndex index = rows[below(rows.size())];
        const bool twice = below(3) == 0 && !leavesSandbox(index.data(Qt::UserRole));
        begin(window, std::string(twice ? "double-click " : "click ") + nameOf(*view) + " row " +
                          std::to_string(index.row()) + " " +
                          index.data().toString().left(40).toStdString());
        view->scrollTo(index);
        const QPoint at = view->visualRect(index).center();
        if (twice)
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        return true;
    }

    bool chooseComboEntry(QWidget& window) {
        const auto combos = usable<QComboBox>(
            window, +[](QComboBox* c) { return c->count() > 0; });
        if (combos.isEmpty())
            return false;
        QComboBox* combo = combos[below(combos.size())];
        const int index = static_cast<int>(below(static_cast<std::size_t>(combo->count())));
        if (leavesSandbox(combo->itemData(index)))
            return false;
        begin(window,
              "choose " + nameOf(*combo) + " entry " + combo->itemText(index).toStdString());
        pick(*combo, index);
        return true;
    }

    bool closeWindow(QWidget& window) {
        begin(window, "closed");
        window.close();
        return true;
    }

    static void pick(QComboBox& combo, int index) {
        combo.setCurrentIndex(index);
        Q_EMIT combo.activated(index);
        Q_EMIT combo.textActivated(combo.itemText(index));
    }

    // A modal loop only the Platform may run: one that opens anyway is a
    // fault, and is closed so the run goes on.
    void closeModalWindows() {
        while (QWidget* modal = QApplication::activeModalWidget()) {
            if (m_fault.empty())
                m_fault = "a modal window opened outside the Platform: " + nameOf(*modal);
            modal->hide();
        }
    }

    // Empty, or the fault the last action showed.
    std::string check() {
        // A drive list moved off the test's folders (by a key) goes back.
        for (QWidget* window : windows())
            for (QComboBox* combo : window->findChildren<QComboBox*>()) {
                if (!leavesSandbox(combo->currentData()))
                    continue;
                const int home =
                    combo->findData(QByteArray::fromStdString(fromPath(m_sandbox.home)));
                if (home < 0)
                    return "no drive entry for the test's home folder in " + nameOf(*combo);
                pick(*combo, home);
                QApplication::processEvents();
            }
        for (QWidget* window : windows())
            for (const char* name : {"currentFolder", "dataFolder", "setsFolder"})
                if (auto* shown = window->findChild<QWidget*>(name);
                    shown && !m_sandbox.contains(pathBytes(shown->property("text").toString())))
                    return std::string(name) + " outside the test's folders: " +
                           shown->property("text").toString().toStdString();
        for (const auto& start : m_platform.starts)
            if (!m_sandbox.contains(fromPath(start.workingFolder)))
                return "a program started in " + fromPath(start.workingFolder);
        m_platform.starts.clear();
        return m_sandbox.changedOutside();
    }

    std::mt19937_64 m_random;
    Sandbox& m_sandbox;
    test::ScriptedPlatform m_platform;
    test::MemorySettings m_settings;
    WindowHub m_hub;
    QTimer m_modalWatch;
    // TESSARO_MONKEY_LOG=1 prints each action as it starts (a run that hangs
    // shows where).
    const bool m_echo = qEnvironmentVariableIntValue("TESSARO_MONKEY_LOG") != 0;
    int m_action = 0;
    std::string m_fault;
    std::vector<std::string> m_log;
};

std::uint64_t fromEnvironment(const char* name, std::uint64_t fallback) {
    bool ok = false;
    const auto value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

// The offscreen platform warns of every window raised; a run would drown in it.
class QuietPlatform {
public:
    QuietPlatform() { s_previous = qInstallMessageHandler(filter); }
    ~QuietPlatform() { qInstallMessageHandler(s_previous); }

private:
    static void filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.startsWith("This plugin does not support"))
            s_previous(type, context, text);
    }
    static inline QtMessageHandler s_previous = nullptr;
};

// Runs the monkey; the log of its actions, or a failure with the seed and
// the last actions.
std::optional<std::vector<std::string>> runMonkey(std::uint64_t seed, int actions,
                                                  QString& failure) {
    const std::string replay = "TESSARO_MONKEY_SEED=" + std::to_string(seed) +
                               " TESSARO_MONKEY_ACTIONS=" + std::to_string(actions);
    qInfo("monkey: %s", replay.c_str());
    Trail::current().start("monkey test failed; replay with " + replay);
    const CrashReport report;
    const QuietPlatform quiet;
    Sandbox sandbox;
    Monkey monkey(seed, sandbox);
    if (const std::string fault = monkey.run(actions); !fault.empty()) {
        // Whole, as the test's own message would be cut short.
        std::fprintf(stderr, "%s\n", Trail::current().text());
        failure = QString::fromStdString(fault);
        return std::nullopt;
    }
    return monkey.log();
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A short run of one seed, twice: no fault, and the same actions each time,
    // so a seed that finds a fault replays it.
    void aFixedSeedRunsCleanAndReplaysTheSameActions() {
        QString failure;
        const auto first = runMonkey(20261207, 300, failure);
        QVERIFY2(first, qPrintable(failure));
        const auto second = runMonkey(20261207, 300, failure);
        QVERIFY2(second, qPrintable(failure));
        // Every window had its turn.
        std::set<std::string> windows;
        for (const auto& line : *first)
            windows.insert(line.substr(line.find(' ') + 1, line.find(':') - line.find(' ') - 1));
        for (const char* window :
             {"AboutForm", "Form1", "Form2", "Form3", "Form4", "Form5", "Form6"})
            QVERIFY2(windows.count(window), window);
        QCOMPARE(second->size(), first->size());
        const auto differs = std::mismatch(first->begin(), first->end(), second->begin());
        QCOMPARE(QString::fromStdString(differs.second == second->end() ? "" : *differs.second),
                 QString::fromStdString(differs.first == first->end() ? "" : *differs.first));
    }

    void randomActionsOverEveryWindowLeaveNoFault() {
        const auto seed = fromEnvironment("TESSARO_MONKEY_SEED", std::random_device{}());
        const auto actions = static_cast<int>(fromEnvironment("TESSARO_MONKEY_ACTIONS", 5000));
        QString failure;
        QVERIFY2(runMonkey(seed, actions, failure), qPrintable(failure));
    }
};

TESSARO_GUI_TEST(MonkeyTest)

} // namespace tessaro

#include "monkey_test.moc"
