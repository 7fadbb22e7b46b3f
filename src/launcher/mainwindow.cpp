#include "launcher/mainwindow.h"

#include "gui/codepage.h"
#include "gui/folderviews.h"
#include "gui/keyrule.h"
#include "gui/widgets.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace tessaro {

namespace {

QLabel* makeLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

MainWindow::MainWindow(Platform& platform, SettingsStore& settings, std::string programFolder,
                       QWidget* parent)
    : QMainWindow(parent), m_model(platform, settings, std::move(programFolder)) {
    setObjectName("Form1");
    setWindowTitle("Tessaro");
    createWidgets();
    createActions();
    startUp();
    KeyRule::installOn(*this);
    fitMinimumSize(*this, textWidth(*this, 64));
    resize(minimumSize().expandedTo(QSize(640, 480)));
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
            &QAction::triggered, this, &MainWindow::play);
    m_noLudex = add(play, "NoLudex", "I haven't created a Ludex.exe yet", QKeySequence("Ctrl+I"));
    connect(m_noLudex, &QAction::triggered, this, [this] {
        m_model.createPlayExecutable();
        showInputs();
    });
    connect(add(play, "GameRunner", QString::fromUtf8("Game Runner\u2026")), &QAction::triggered,
            this, [this] { applyResult(*this, m_model.chooseGameRunner()); });
    play->addSeparator()->setObjectName("sep2");
    connect(add(play, "About", "About", QKeySequence("Ctrl+A")), &QAction::triggered, this,
            &MainWindow::aboutRequested);
    connect(add(play, "Exit", "Exit", QKeySequence("Ctrl+E")), &QAction::triggered, this,
            &MainWindow::exitProgram);

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
    connect(toggle, &QAction::triggered, this, [this] {
        m_model.toggleCreateEntry();
        showInputs();
    });
}

void MainWindow::createWidgets() {
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);

    grid->addWidget(makeLabel("Label4",
                              "Folder to load level sets from: (warning - level sets with the "
                              "same name in two different folders will share the same score "
                              "section in your INI file)",
                              central),
                    0, 0, 1, 4);

    m_drive = new QComboBox(central);
    m_drive->setObjectName("Drive1");
    grid->addWidget(m_drive, 1, 0, 1, 2);

    m_folders = new QTreeWidget(central);
    m_folders->setObjectName("Dir1");
    m_folders->setHeaderHidden(true);
    m_folders->setRootIsDecorated(false);
    m_folders->setItemsExpandable(false);
    m_folders->setIndentation(16);
    grid->addWidget(m_folders, 2, 0, 1, 2);

    m_files = new QListWidget(central);
    m_files->setObjectName("datFile");
    m_files->setSelectionMode(QAbstractItemView::SingleSelection);
    // A few rows of each list stay in sight however small the window gets.
    const int listHeight = 8 * fontMetrics().lineSpacing();
    m_folders->setMinimumHeight(listHeight);
    m_files->setMinimumHeight(listHeight);
    grid->addWidget(m_files, 1, 2, 2, 2);

    // The whole path of the folder whose sets are listed; a long one is cut
    // at the window's edge and shown whole in the tooltip.
    m_currentFolder = new QLabel(central);
    m_currentFolder->setObjectName("currentFolder");
    m_currentFolder->setTextFormat(Qt::PlainText);
    m_currentFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_currentFolder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(m_currentFolder, 8, 0, 1, 4);

    m_fake = new QLineEdit(central);
    m_fake->setObjectName("Text1");
    m_real = new QLineEdit(central);
    m_real->setObjectName("Text2");
    auto* fakeLabel = makeLabel("Label1", "Fake last level:", central);
    auto* realLabel = makeLabel("Label2", "Real last level:", central);
    fakeLabel->setWordWrap(false);
    realLabel->setWordWrap(false);
    grid->addWidget(fakeLabel, 3, 0);
    grid->addWidget(m_fake, 3, 1);
    grid->addWidget(realLabel, 3, 2);
    grid->addWidget(m_real, 3, 3);

    grid->addWidget(makeLabel("Label3",
                              "EXE to play levels with: (leave blank to use the default "
                              "\"ludex.exe\" in your Tessaro folder)",
                              central),
                    4, 0, 1, 4);
    m_newLudex = new QLineEdit(central);
    m_newLudex->setObjectName("newLudex");
    m_newLudex->setReadOnly(true);
    m_browse = new QPushButton("Browse", central);
    m_browse->setObjectName("cmdBrowse");
    grid->addWidget(m_newLudex, 5, 0, 1, 3);
    grid->addWidget(m_browse, 5, 3);

    grid->addWidget(makeLabel("Label5",
                              "INI score file: (leave blank to use the default tessaro.ini)",
                              central),
                    6, 0, 1, 4);
    m_iniFile = new QLineEdit(central);
    m_iniFile->setObjectName("theINIFile");
    grid->addWidget(m_iniFile, 7, 0, 1, 4);

    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    setCentralWidget(central);

    connect(m_drive, &QComboBox::activated, this, &MainWindow::driveChosen);
    connect(m_folders, &QTreeWidget::itemActivated, this, &MainWindow::folderActivated);
    connect(m_files, &QListWidget::currentRowChanged, this, &MainWindow::fileChosen);
    connect(m_files, &QListWidget::itemActivated, this, &MainWindow::play);
    connect(m_browse, &QPushButton::clicked, this, &MainWindow::browse);
    connect(m_fake, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_model.fakeLastLevel = toBytes(text); });
    connect(m_real, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_model.realLastLevel = toBytes(text); });
    connect(m_iniFile, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_model.iniFileName = pathBytes(text); });

    m_newLudex->installEventFilter(this);
}

void MainWindow::startUp() {
    m_model.start(systemDrives(), currentDrive());
    showFolders();
    showFiles();
    showInputs();
}

void MainWindow::showFolders() {
    showFolderView(m_model.folders(), *m_drive, *m_folders, *m_currentFolder);
}

void MainWindow::showFiles() {
    const QSignalBlocker blocker(m_files);
    m_files->clear();
    for (const auto& name : m_model.files()) {
        auto* item = new QListWidgetItem(pathText(name), m_files);
        item->setData(Qt::UserRole, QByteArray::fromStdString(name));
        if (m_model.selectedFile == name)
            m_files->setCurrentItem(item);
    }
}

void MainWindow::showInputs() {
    auto show = [](QLineEdit* edit, const QString& text) {
        if (edit->text() != text)
            edit->setText(text);
    };
    show(m_fake, fromBytes(m_model.fakeLastLevel));
    show(m_real, fromBytes(m_model.realLastLevel));
    show(m_newLudex, pathText(m_model.alternateExecutable));
    show(m_iniFile, pathText(m_model.iniFileName));
    m_noLudex->setVisible(m_model.createEntryShown);
}

void MainWindow::refreshFileList() {
    m_model.refreshFiles();
    showFiles();
}

void MainWindow::driveChosen(int index) {
    if (index >= 0)
        m_model.selectDrive(drivePathOf(*m_drive, index));
    showFolders();
    showFiles();
}

void MainWindow::folderActivated(QTreeWidgetItem* item) {
    if (!item)
        return;
    m_model.openFolder(folderPathOf(*item));
    showFolders();
    showFiles();
}

void MainWindow::fileChosen() {
    const QListWidgetItem* item = m_files->currentItem();
    m_model.selectFile(item ? std::optional(item->data(Qt::UserRole).toByteArray().toStdString())
                            : std::nullopt);
}

void MainWindow::play() {
    applyResult(*this, m_model.play());
}

void MainWindow::browse() {
    m_model.browseAlternateExecutable();
    showInputs();
}

void MainWindow::exitProgram() {
    m_model.saveSettings();
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
        m_model.clearAlternateExecutable();
        showInputs();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tessaro
