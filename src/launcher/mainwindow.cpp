#include "launcher/mainwindow.h"

#include "common/paths.h"
#include "gui/codepage.h"
#include "gui/folderviews.h"
#include "gui/keyrule.h"
#include "gui/qtsettings.h"
#include "gui/widgets.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace tessaro {

// The Set Details rows as a table; filled again only when they changed.
class SetDetailsTable : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void show(const std::vector<SetDetailsRow>& rows) {
        if (rows == m_rows)
            return;
        beginResetModel();
        m_rows = rows;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 7; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const auto& row = m_rows[static_cast<std::size_t>(index.row())];
        switch (index.column()) {
        case 0:
            return QString::fromStdString(row.number);
        case 1:
            return fromBytes(row.title);
        case 2:
            return fromBytes(row.password);
        case 3:
            return QString::fromStdString(row.timeLimit);
        case 4:
            return QString::fromStdString(row.reached);
        case 5:
            return QString::fromStdString(row.bestTime);
        default:
            return QString::fromStdString(row.score);
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const kCaptions[] = {"Level",   "Title",     "Password", "Time",
                                                "Reached", "Best time", "Score"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 6)
            return {};
        return QString::fromLatin1(kCaptions[section]);
    }

private:
    std::vector<SetDetailsRow> m_rows;
};

MainWindow::MainWindow(Platform& platform, SettingsStore& settings, std::string programFolder,
                       QWidget* parent)
    : QMainWindow(parent), m_model(platform, settings, std::move(programFolder)) {
    setObjectName("Form1");
    setWindowTitle("Tessaro");
    m_model.tileWorldFolder = joinAndClean(userDataFolder(), kTileWorldFolderName);
    createWidgets();
    createActions();
    startUp();
    KeyRule::installOn(*this);
    fitMinimumSize(*this, textWidth(*this, 64));
    // Room for the lists and for every column of the Set Details pane.
    resize(minimumSize().expandedTo(QSize(textWidth(*this, 160), 520)));
}

void MainWindow::createActions() {
    auto add = [this](QMenu* menu, const char* name, const QString& caption,
                      const QKeySequence& shortcut = {}) {
        auto* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        return action;
    };

    QMenu* play = menuBar()->addMenu("&Play");
    play->setObjectName("Play");
    connect(add(play, "PlayFile", "Play Selected File", QKeySequence("Ctrl+P")),
            &QAction::triggered, this, [this] { run(&LauncherModel::play); });
    m_noLudex = add(play, "NoLudex", "I haven't created a Ludex.exe yet", QKeySequence("Ctrl+I"));
    connect(m_noLudex, &QAction::triggered, this,
            [this] { run(&LauncherModel::createPlayExecutable); });
    // A hidden entry loses its shortcut; this one stands in for it then.
    m_noLudexKey = new QAction(this);
    m_noLudexKey->setObjectName("NoLudexKey");
    m_noLudexKey->setShortcutContext(Qt::WindowShortcut);
    addAction(m_noLudexKey);
    connect(m_noLudexKey, &QAction::triggered, this,
            [this] { run(&LauncherModel::createPlayExecutable); });
    createPlayWithActions(*play);
    connect(add(play, "GameRunner", QString::fromUtf8("Game Runner\u2026")), &QAction::triggered,
            this, [this] { run(&LauncherModel::chooseGameRunner); });
    connect(add(play, "TileWorldProgram", QString::fromUtf8("Tile World Program\u2026")),
            &QAction::triggered, this, [this] { run(&LauncherModel::chooseTileWorldProgram); });
    play->addSeparator()->setObjectName("sep2");
    connect(add(play, "About", "About", QKeySequence("Ctrl+A")), &QAction::triggered, this,
            &MainWindow::aboutRequested);
    connect(add(play, "Exit", "Exit", QKeySequence("Ctrl+E")), &QAction::triggered, this,
            &MainWindow::exitProgram);

    QMenu* view = menuBar()->addMenu("&View");
    view->setObjectName("View");
    m_showSetDetails = add(view, "SetDetails", "Set Details");
    m_showSetDetails->setCheckable(true);
    connect(m_showSetDetails, &QAction::triggered, this, [this](bool shown) {
        m_commands.run([this, shown] { return m_model.showSetDetails(shown); });
    });

    QMenu* tools = menuBar()->addMenu("&Tools");
    tools->setObjectName("Tools");
    connect(add(tools, "Dacgen", "DacGen", QKeySequence("Ctrl+D")), &QAction::triggered, this,
            &MainWindow::dacGenRequested);
    connect(add(tools, "ccxEditor", "CCX Editor", QKeySequence("Ctrl+X")), &QAction::triggered,
            this, &MainWindow::ccxEditorRequested);
    connect(add(tools, "IniEdit", "INI Editor", QKeySequence("Ctrl+S")), &QAction::triggered, this,
            &MainWindow::iniEditorRequested);
    tools->addSeparator()->setObjectName("sep");
    QMenu* classics = tools->addMenu("\"Classics\"");
    classics->setObjectName("classics");
    classics->menuAction()->setObjectName("classicsAction");
    connect(add(classics, "Quorvel", "Quorvel", QKeySequence("Ctrl+C")), &QAction::triggered, this,
            &MainWindow::quorvelRequested);
    connect(add(classics, "CreateEXE", "EXE Creator", QKeySequence("Ctrl+N")), &QAction::triggered,
            this, &MainWindow::exeCreatorRequested);
    connect(add(classics, "ccfEdit", "CCF Editor", QKeySequence("Ctrl+F")), &QAction::triggered,
            this, &MainWindow::ccfEditorRequested);

    // Shift+H shows or hides the create entry from any control but a text box,
    // where it types "H".
    auto* toggle = new QAction(this);
    toggle->setObjectName("ToggleNoLudex");
    toggle->setShortcut(QKeySequence("Shift+H"));
    toggle->setShortcutContext(Qt::WindowShortcut);
    addAction(toggle);
    connect(toggle, &QAction::triggered, this, [this] { run(&LauncherModel::toggleCreateEntry); });
}

void MainWindow::createPlayWithActions(QMenu& play) {
    QMenu* playWith = play.addMenu("Play With");
    playWith->setObjectName("PlayWith");
    playWith->menuAction()->setObjectName("PlayWithAction");
    auto* group = new QActionGroup(this);
    for (const auto& [name, caption, choice] :
         {std::tuple{"PlayWithGame", "The Game (ludex.exe)", PlayWith::Game},
          std::tuple{"PlayWithTileWorldMS", "Tile World (MS rules)", PlayWith::TileWorldMS},
          std::tuple{"PlayWithTileWorldLynx", "Tile World (Lynx rules)",
                     PlayWith::TileWorldLynx}}) {
        auto* action = group->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(true);
        action->setData(QString::fromStdString(playWithSetting(choice)));
        playWith->addAction(action);
        m_playWith.append(action);
        // Clang 14 cannot capture a structured binding.
        const PlayWith chosen = choice;
        connect(action, &QAction::triggered, this, [this, chosen] {
            m_commands.run([this, chosen] { return m_model.choosePlayWith(chosen); });
        });
    }
}

void MainWindow::createWidgets() {
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);

    auto* label4 = named<QLabel>("Label4",
                                 "Folder to load level sets from: (warning - level sets with the "
                                 "same name in two different folders will share the same score "
                                 "section in your INI file)",
                                 central);
    grid->addWidget(label4, 0, 0, 1, 4);

    m_drive = named<QComboBox>("Drive1", central);
    grid->addWidget(m_drive, 1, 0, 1, 2);

    m_folders = named<QTreeWidget>("Dir1", central);
    m_folders->setHeaderHidden(true);
    m_folders->setRootIsDecorated(false);
    m_folders->setItemsExpandable(false);
    m_folders->setIndentation(16);
    grid->addWidget(m_folders, 2, 0, 1, 2);

    m_files = named<QListWidget>("datFile", central);
    m_files->setSelectionMode(QAbstractItemView::SingleSelection);
    // A few rows of each list stay in sight however small the window gets.
    const int listHeight = 8 * fontMetrics().lineSpacing();
    m_folders->setMinimumHeight(listHeight);
    m_files->setMinimumHeight(listHeight);
    grid->addWidget(m_files, 1, 2, 2, 2);

    // The whole path of the folder whose sets are listed; a long one is cut
    // at the window's edge and shown whole in the tooltip.
    m_currentFolder = named<QLabel>("currentFolder", central);
    m_currentFolder->setTextFormat(Qt::PlainText);
    m_currentFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_currentFolder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(m_currentFolder, 9, 0, 1, 4);

    m_fake = named<QLineEdit>("Text1", central);
    m_real = named<QLineEdit>("Text2", central);
    auto* fakeLabel = named<QLabel>("Label1", "Fake last level:", central);
    auto* realLabel = named<QLabel>("Label2", "Real last level:", central);
    grid->addWidget(fakeLabel, 3, 0);
    grid->addWidget(m_fake, 3, 1);
    grid->addWidget(realLabel, 3, 2);
    grid->addWidget(m_real, 3, 3);
    // What the Set Details pane knows about these boxes: a last level the
    // selected set does not have.
    m_lastLevelWarning = named<QLabel>("lastLevelWarning", central);
    m_lastLevelWarning->setTextFormat(Qt::PlainText);
    m_lastLevelWarning->setWordWrap(true);
    grid->addWidget(m_lastLevelWarning, 4, 0, 1, 4);

    auto* label3 = named<QLabel>("Label3",
                                 "EXE to play levels with: (leave blank to use the default "
                                 "\"ludex.exe\" in your Tessaro folder)",
                                 central);
    grid->addWidget(label3, 5, 0, 1, 4);
    m_newLudex = named<QLineEdit>("newLudex", central);
    m_newLudex->setReadOnly(true);
    m_browse = named<QPushButton>("cmdBrowse", "Browse", central);
    grid->addWidget(m_newLudex, 6, 0, 1, 3);
    grid->addWidget(m_browse, 6, 3);

    auto* label5 = named<QLabel>(
        "Label5", "INI score file: (leave blank to use the default tessaro.ini)", central);
    grid->addWidget(label5, 7, 0, 1, 4);
    for (auto* label : {label4, label3, label5})
        label->setWordWrap(true);
    m_iniFile = named<QLineEdit>("theINIFile", central);
    grid->addWidget(m_iniFile, 8, 0, 1, 4);

    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    // The Set Details pane, beside the lists and boxes.
    m_setDetailsPane = named<QWidget>("setDetailsPane", this);
    auto* pane = new QVBoxLayout(m_setDetailsPane);
    pane->setContentsMargins(0, 0, 0, 0);
    m_setDetailsHeader = named<QLabel>("setDetailsHeader", m_setDetailsPane);
    m_setDetailsWarning = named<QLabel>("setDetailsWarning", m_setDetailsPane);
    for (auto* label : {m_setDetailsHeader, m_setDetailsWarning}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    m_setDetails = named<QTreeView>("setDetails", m_setDetailsPane);
    m_setDetailsTable = new SetDetailsTable(m_setDetails);
    m_setDetails->setModel(m_setDetailsTable);
    m_setDetails->setRootIsDecorated(false);
    m_setDetails->setUniformRowHeights(true);
    m_setDetails->setAlternatingRowColors(true);
    m_setDetails->header()->setStretchLastSection(false);
    m_setDetails->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_setDetails->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    pane->addWidget(m_setDetailsHeader);
    pane->addWidget(m_setDetails, 1);
    pane->addWidget(m_setDetailsWarning);

    auto* body = new QWidget(this);
    auto* columns = new QHBoxLayout(body);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addWidget(central, 9);
    columns->addWidget(m_setDetailsPane, 11);
    m_setDetailsPane->setMinimumWidth(textWidth(*this, 66));
    setCentralWidget(body);

    connect(m_drive, &QComboBox::activated, this, &MainWindow::driveChosen);
    connect(m_folders, &QTreeWidget::itemActivated, this, &MainWindow::folderActivated);
    connect(m_files, &QListWidget::currentRowChanged, this, &MainWindow::fileChosen);
    connect(m_files, &QListWidget::itemActivated, this, [this] { run(&LauncherModel::play); });
    connect(m_browse, &QPushButton::clicked, this,
            [this] { run(&LauncherModel::browseAlternateExecutable); });
    bindText(*m_fake, m_model.fakeLastLevel);
    bindText(*m_real, m_model.realLastLevel);
    // The note on the last levels follows the boxes as they are typed in.
    for (auto* box : {m_fake, m_real})
        connect(box, &QLineEdit::textChanged, this, [this] {
            if (!m_commands.running())
                redraw();
        });
    bindPath(*m_iniFile, m_model.iniFileName);

    m_newLudex->installEventFilter(this);
}

void MainWindow::startUp() {
    m_model.start(systemDrives(), currentDrive());
    redraw();
}

void MainWindow::redraw() {
    showFolderView(m_model.folders(), *m_drive, *m_folders, *m_currentFolder);
    showFiles();
    showText(*m_fake, m_model.fakeLastLevel);
    showText(*m_real, m_model.realLastLevel);
    showPath(*m_newLudex, m_model.alternateExecutable);
    showPath(*m_iniFile, m_model.iniFileName);
    m_noLudex->setVisible(m_model.createEntryShown);
    m_noLudexKey->setShortcut(m_model.createEntryShown ? QKeySequence() : m_noLudex->shortcut());
    const auto playWith = QString::fromStdString(playWithSetting(m_model.playWith));
    for (auto* action : m_playWith)
        action->setChecked(action->data().toString() == playWith);
    showSetDetails();
}

void MainWindow::showSetDetails() {
    const auto& details = m_model.setDetails();
    m_showSetDetails->setChecked(m_model.setDetailsShown);
    m_setDetailsPane->setVisible(m_model.setDetailsShown);
    m_setDetailsHeader->setText(QString::fromStdString(details.header));
    m_setDetailsTable->show(details.rows);
    m_setDetailsWarning->setText(QString::fromStdString(details.warning));
    m_setDetailsWarning->setVisible(!details.warning.empty());
    const auto warning = m_model.lastLevelWarning();
    m_lastLevelWarning->setText(QString::fromStdString(warning));
    m_lastLevelWarning->setVisible(!warning.empty());
}

void MainWindow::showFiles() {
    const QSignalBlocker blocker(m_files);
    const auto& names = m_model.files();
    // The list is filled again only when its names changed, so a play from
    // it keeps where the player scrolled to.
    bool shown = m_files->count() == static_cast<int>(names.size());
    for (int row = 0; shown && row < m_files->count(); ++row)
        shown = m_files->item(row)->data(Qt::UserRole).toByteArray().toStdString() ==
                names[static_cast<std::size_t>(row)];
    if (!shown) {
        m_files->clear();
        for (const auto& name : names) {
            auto* item = new QListWidgetItem(pathText(name), m_files);
            item->setData(Qt::UserRole, QByteArray::fromStdString(name));
        }
    }
    const auto selected = m_model.selectedFile
                              ? std::find(names.begin(), names.end(), *m_model.selectedFile)
                              : names.end();
    m_files->setCurrentRow(selected == names.end() ? -1
                                                   : static_cast<int>(selected - names.begin()));
}

void MainWindow::run(CommandResult (LauncherModel::*command)()) {
    m_commands.run([this, command] { return (m_model.*command)(); });
}

void MainWindow::refreshFileList() {
    run(&LauncherModel::refreshFiles);
}

void MainWindow::driveChosen(int index) {
    if (index < 0)
        return;
    const auto drive = drivePathOf(*m_drive, index);
    m_commands.run([this, &drive] { return m_model.selectDrive(drive); });
}

void MainWindow::folderActivated(QTreeWidgetItem* item) {
    if (!item)
        return;
    const auto folder = folderPathOf(*item);
    m_commands.run([this, &folder] { return m_model.openFolder(folder); });
}

void MainWindow::fileChosen() {
    const QListWidgetItem* item = m_files->currentItem();
    const auto name =
        item ? std::optional(item->data(Qt::UserRole).toByteArray().toStdString()) : std::nullopt;
    m_commands.run([this, &name] { return m_model.selectFile(name); });
}

void MainWindow::exitProgram() {
    run(&LauncherModel::exit);
    Q_EMIT exitRequested();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto modifiers = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                               Qt::AltModifier | Qt::MetaModifier);
    if (watched == m_newLudex && modifiers == Qt::NoModifier &&
        (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete)) {
        run(&LauncherModel::clearAlternateExecutable);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tessaro
