// Random actions over every window: no crash, no modal loop outside the Platform, no program
// started and no file touched outside the test's folders. TESSARO_MONKEY_SEED and _ACTIONS replay a
// run (its seed is printed); a long one needs QTEST_FUNCTION_TIMEOUT raised.

#include "app/windowhub.h"
#include "common/folderlisting.h"
#include "common/paths.h"
#include "gameexe/gameexe.h"
#include "gui/codepage.h"
#include "gui/keyrule.h"
#include "launcher/mainwindow.h"
#include "support/foldersnapshot.h"
#include "support/guitest.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QTimer>
#include <random>

namespace tessaro {

namespace {

namespace fs = std::filesystem;

// "home" is the program, home and working folder, filled from tests/data; everything beside it
// ("outside") must stay as it was, and so must the read-only files in "home/locked".
struct Sandbox {
    ~Sandbox() {
        qputenv("HOME", oldHome);
        QDir::setCurrent(oldFolder);
    }
    bool fill() const {
        fs::copy(TESSARO_TEST_DATA "/monkey", temp.path(), fs::copy_options::recursive);
        fs::copy(TESSARO_TEST_DATA, home, fs::copy_options::recursive);
        fs::remove_all(home / "monkey");
        const std::string exe = test::makeGameExe();
        for (const char* name :
             {"home/CHIPS.EXE", "home/ludex.exe", "home/locked/CHIPS.EXE", "outside/CHIPS.EXE"})
            temp.write(name, exe);
        temp.write("home/sets/caf\xE9.dat", {"\xAC\xAA\x02\x00 set", 8});
        for (const auto& entry : fs::recursive_directory_iterator(home / "locked"))
            fs::permissions(entry.path(), fs::perms::owner_read | fs::perms::group_read);
        // The drive lists offer the home folder; relative names land in "work".
        qputenv("HOME", QByteArray::fromStdString(fromPath(home)));
        fs::create_directory(home / "work");
        return QDir::setCurrent(QString::fromStdString(fromPath(home / "work")));
    }

    bool contains(const std::string& path) const {
        const auto inside = toPath(path).lexically_normal().lexically_relative(home);
        return !path.empty() && !inside.empty() && *inside.begin() != "..";
    }
    bool leftBy(const QVariant& data) const { // a drive or folder entry outside "home"
        return data.toByteArray().startsWith('/') && !contains(data.toByteArray().toStdString());
    }

    const QByteArray oldHome = qgetenv("HOME");
    const QString oldFolder = QDir::currentPath();
    test::TempFolder temp;
    const fs::path home = temp / "home";
    const bool filled = fill();
    const test::FolderSnapshot locked{home / "locked"}, outside{temp.path(), home};
};

QAbstractItemModel* modelOf(QObject* control) {
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->model();
    auto* view = qobject_cast<QAbstractItemView*>(control);
    return view ? view->model() : nullptr;
}

// An enabled, shown action of a menu or button, or a control that takes clicks or keys.
bool usable(QObject* control) {
    if (auto* action = qobject_cast<QAction*>(control))
        return action->isEnabled() && action->isVisible() && !action->isSeparator() &&
               !action->menu() && !action->objectName().isEmpty();
    auto* widget = qobject_cast<QWidget*>(control);
    return widget && widget->isVisible() && widget->isEnabled() &&
           (widget->inherits("QAbstractButton") || widget->focusPolicy() != Qt::NoFocus);
}

void chooseEntry(QComboBox& combo, int index) {
    combo.setCurrentIndex(index);
    Q_EMIT combo.activated(index);
}

// A run of random actions, and the Platform of its windows; all drawn from one seeded generator.
class Monkey : public Platform {
public:
    explicit Monkey(std::uint64_t seed)
        : m_seed(seed), m_random(seed),
          m_hub(*this, m_settings, Utf8Path(fromPath(m_sandbox.home))) {
        // Only the Platform may run a modal loop; one that opens anyway is closed.
        QObject::connect(&m_modalWatch, &QTimer::timeout, [this] {
            while (QWidget* modal = QApplication::activeModalWidget()) {
                fail(std::string("a modal window opened outside the Platform: ") +
                     modal->metaObject()->className());
                modal->hide();
            }
        });
        m_modalWatch.start(0);
    }
    ~Monkey() override { QApplication::closeAllWindows(); } // the user guide, too

    std::pair<std::string, std::string> run(int actions) {
        qInfo("monkey: TESSARO_MONKEY_SEED=%llu TESSARO_MONKEY_ACTIONS=%d",
              static_cast<unsigned long long>(m_seed), actions);
        m_window = &m_hub.mainWindow();
        m_window->show();
        begin("play MYSET.DAT, open every window");
        auto* files = test::control<QListWidget>(*m_window, "datFile");
        files->setCurrentItem(files->findItems("MYSET.DAT", Qt::MatchExactly).value(0));
        for (const char* name :
             {"PlayFile", "Dacgen", "ccxEditor", "IniEdit", "CreateEXE", "ccfEdit", "About"})
            m_window->findChild<QAction*>(name)->trigger(); // a play meets the check of starts
        for (m_action = 1; m_action <= actions && m_fault.empty(); ++m_action)
            act();
        return {m_fault.empty() ? "" : m_fault + "\nafter " + m_last, m_log};
    }

    MessageAnswer message(const std::string&, const std::string&, MessageIcon,
                          MessageButtons buttons) override {
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        return std::array{MessageAnswer::Yes, MessageAnswer::No,
                          MessageAnswer::Cancel}[below(buttons == MessageButtons::YesNo ? 2 : 3)];
    }
    std::optional<FileChoice> openFileDialog(const std::string&, const std::string& filter,
                                             const std::string&) override {
        return chooseFile(filter);
    }
    std::optional<FileChoice> saveFileDialog(const std::string&, const std::string& filter,
                                             const std::string&, bool) override {
        return chooseFile(filter);
    }
    std::optional<std::string> lineInput(const std::string&, const std::string&,
                                         const std::string& defaultText) override {
        const unsigned pick = below(4);
        return pick ? std::optional(pick == 1 ? defaultText : randomBytes()) : std::nullopt;
    }
    std::optional<ColorValue> colorDialog(const std::string&) override {
        return below(4) ? std::optional(ColorValue(m_random() & 0xFFFFFF)) : std::nullopt;
    }
    std::optional<StartedProcess> startProgram(const StartRequest& request) override {
        if (!m_sandbox.contains(fromPath(request.workingFolder)))
            fail("a program started in " + fromPath(request.workingFolder));
        return StartedProcess{1, 1};
    }
    bool isRunning(const StartedProcess&) override { return below(2) != 0; }
    bool openUrl(const std::string&) override { return true; }

private:
    unsigned below(std::size_t count) { return count ? unsigned(m_random() % count) : 0; }
    template <typename List> auto pickFrom(const List& list) { return list[below(list.size())]; }

    // A file the filter shows (most often) or any file, its folder, a new name beside it, or none.
    std::optional<FileChoice> chooseFile(const std::string& filter) {
        const std::string patterns = below(4) ? filter.substr(filter.find('|') + 1) : "*";
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(m_sandbox.home))
            if (entry.is_regular_file() &&
                matchesFilePattern(fromPath(entry.path().filename()), patterns))
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        fs::path path = files.empty() ? m_sandbox.home / "work/new.ccx" : pickFrom(files);
        if (const unsigned pick = below(8); pick == 0)
            return std::nullopt;
        else if (pick == 1) // a folder, never "home" itself
            path =
                path.parent_path() == m_sandbox.home ? m_sandbox.home / "work" : path.parent_path();
        else if (pick == 2)
            path.replace_filename("S\xC3\xA9t \xE2\x82\xAC");
        return FileChoice{fromPath(path), fromPath(path.filename())};
    }
    // A number near a limit, a relative path, or any Windows-1252 characters.
    std::string randomBytes() {
        if (below(3) == 0)
            return pickFrom(std::array{"0", "-1", "32768", "", "../x"});
        std::string bytes(below(14), ' ');
        for (char& byte : bytes)
            byte = static_cast<char>(below(2) ? 0x20 + below(0x5F) : 0x80 + below(0x80));
        return bytes;
    }

    void begin(const std::string& what) {
        m_last = "#" + std::to_string(m_action) + " " + m_window->objectName().toStdString() +
                 ": " + what;
        m_log += m_last + "\n";
    }
    void fail(const std::string& fault) { m_fault = m_fault.empty() ? fault : m_fault; }

    // The windows shown, in the same order in every run.
    QWidgetList windows() {
        QWidgetList shown = QApplication::topLevelWidgets();
        shown.removeIf([](QWidget* window) { return !window->isVisible(); });
        std::sort(shown.begin(), shown.end(),
                  [](QWidget* a, QWidget* b) { return a->objectName() < b->objectName(); });
        return shown;
    }

    void act() {
        const QWidgetList shown = windows();
        m_window = shown.isEmpty() ? &m_hub.mainWindow() : pickFrom(shown);
        m_window->show(); // Tessaro starts again once every window is closed
        m_window->activateWindow();
        QApplication::processEvents();
        QObjectList controls = m_window->findChildren<QObject*>();
        controls.prepend(m_window);
        controls.removeIf([](QObject* control) { return !usable(control); });
        if (QObject* control = controls.isEmpty() ? nullptr : pickFrom(controls)) {
            begin(std::string(control->metaObject()->className()) + " " +
                  control->objectName().toStdString());
            if (auto* action = qobject_cast<QAction*>(control))
                action->trigger();
            else if (control->inherits("QAbstractButton"))
                QTest::mouseClick(static_cast<QWidget*>(control), Qt::LeftButton);
            else if (KeyRule::isTextBox(control) && below(2))
                typeText(*static_cast<QWidget*>(control));
            else if (modelOf(control) && modelOf(control)->rowCount() > 0 && below(2))
                choose(*control);
            else
                pressKey(*static_cast<QWidget*>(control));
        }
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        check();
    }

    void pressKey(QWidget& control) {
        static const QStringList keys =
            QString("Return Esc Tab Down Up End Del Space F4 Shift+H Alt+Down Alt+P").split(' ');
        control.setFocus(Qt::OtherFocusReason);
        QTest::keySequence(&control, below(3)
                                         ? QKeySequence(pickFrom(keys))
                                         : QKeySequence(QString("Ctrl+") + QChar('A' + below(26))));
    }
    void typeText(QWidget& box) {
        box.setFocus(Qt::OtherFocusReason);
        for (const QChar character : fromBytes(randomBytes()))
            QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, character, {});
    }
    // Any row of a list, tree or combo box, but folders and drives outside the test's folders.
    void choose(QObject& control) {
        QAbstractItemModel* model = modelOf(&control);
        const QModelIndexList rows = model->match(model->index(0, 0), Qt::DisplayRole, QString(),
                                                  2000, Qt::MatchContains | Qt::MatchRecursive);
        const QModelIndex row = rows.value(below(rows.size()));
        auto* combo = qobject_cast<QComboBox*>(&control);
        const bool twice = !combo && below(3) == 0;
        if (!row.isValid() || ((combo || twice) && m_sandbox.leftBy(row.data(Qt::UserRole))))
            return;
        if (combo)
            return chooseEntry(*combo, row.row());
        auto& view = static_cast<QAbstractItemView&>(control);
        view.scrollTo(row);
        QTest::mouseEvent(twice ? QTest::MouseDClick : QTest::MouseClick, view.viewport(),
                          Qt::LeftButton, {}, view.visualRect(row).center());
    }

    // A drive list moved off the test's folders goes back; then the checks.
    void check() {
        for (QWidget* window : windows()) {
            for (QComboBox* combo : window->findChildren<QComboBox*>())
                if (m_sandbox.leftBy(combo->currentData()))
                    chooseEntry(*combo, combo->findData(
                                            QByteArray::fromStdString(fromPath(m_sandbox.home))));
            for (const char* name : {"currentFolder", "dataFolder", "setsFolder"})
                if (auto* shown = window->findChild<QWidget*>(name);
                    shown && !m_sandbox.contains(pathBytes(shown->property("text").toString())))
                    return fail(std::string(name) + " outside the test's folders: " +
                                shown->property("text").toString().toStdString());
        }
        // A new file in "home/locked" is fine: only the files there are read-only.
        if (const auto changes = m_sandbox.outside.changes(); !changes.empty())
            return fail(changes.front() + " beside " + fromPath(m_sandbox.home));
        for (const auto& change : m_sandbox.locked.changes())
            if (change.rfind("new ", 0) != 0)
                return fail(change + " in " + fromPath(m_sandbox.home / "locked"));
    }

    const std::uint64_t m_seed;
    std::mt19937_64 m_random;
    const Sandbox m_sandbox;
    test::MemorySettings m_settings;
    WindowHub m_hub;
    QTimer m_modalWatch;
    QWidget* m_window = nullptr;
    int m_action = 0;
    std::string m_fault, m_last, m_log;
};

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // One seed twice (every window has its turn; the same actions each time, so a fault replays),
    // then a long run of a seed of its own.
    void randomActionsOverEveryWindowLeaveNoFault() {
        const auto [fault, log] = Monkey(20261207).run(300);
        QVERIFY2(fault.empty(), fault.c_str());
        for (const char* window :
             {"AboutForm", "Form1", "Form2", "Form3", "Form4", "Form5", "Form6"})
            QVERIFY2(log.find(std::string(" ") + window + ": ") != std::string::npos, window);
        QVERIFY(Monkey(20261207).run(300).second == log);
        bool seeded = false, counted = false;
        const auto seed = qEnvironmentVariable("TESSARO_MONKEY_SEED").toULongLong(&seeded);
        const int actions = qEnvironmentVariableIntValue("TESSARO_MONKEY_ACTIONS", &counted);
        const auto longRun =
            Monkey(seeded ? seed : std::random_device{}()).run(counted ? actions : 5000);
        QVERIFY2(longRun.first.empty(), longRun.first.c_str());
    }
};

TESSARO_GUI_TEST(MonkeyTest)

} // namespace tessaro

#include "monkey_test.moc"
