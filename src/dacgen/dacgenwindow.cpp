#include "dacgen/dacgenwindow.h"

#include "common/platform.h"
#include "common/settings.h"
#include "gui/codepage.h"
#include "gui/folderviews.h"
#include "gui/keyrule.h"
#include "gui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tessaro {

namespace {

std::string bytesIn(const QVariant& value) {
    return value.toByteArray().toStdString();
}

} // namespace

DacGenWindow::DacGenWindow(Platform& platform, SettingsStore& settings,
                           const Utf8Path& programFolder, QWidget* parent)
    : QWidget(parent), m_platform(platform), m_settings(settings),
      m_generator(systemDrives(), toPath(programFolder)) {
    setObjectName("Form2");
    setWindowTitle(QString::fromLatin1(DacGenerator::kCaption));

    auto* dataFrame = new QGroupBox("Tile World DATA folder", this);
    dataFrame->setObjectName("Frame1");
    m_dataPane = makePane("dataFolder", "dataDir", "dataDrive");
    auto* description = new QLabel("Double click a set below to create DAC(s) for just that set, "
                                   "using the settings on the right.");
    description->setObjectName("lblDesc");
    description->setWordWrap(true);
    auto* dataLayout = new QVBoxLayout(dataFrame);
    dataLayout->addWidget(m_dataPane.folder);
    dataLayout->addWidget(m_dataPane.drives);
    dataLayout->addWidget(m_dataPane.tree, 1);
    dataLayout->addWidget(description);

    m_levelSets = new QListWidget(this);
    m_levelSets->setObjectName("File1");
    m_levelSets->setMinimumWidth(fontMetrics().horizontalAdvance(QString(14, QChar('M'))));

    auto* setsFrame = new QGroupBox("Tile World SETS folder", this);
    setsFrame->setObjectName("Frame2");
    m_setsPane = makePane("setsFolder", "setsDir", "setsDrive");
    auto* setsLayout = new QVBoxLayout(setsFrame);
    setsLayout->addWidget(m_setsPane.folder);
    setsLayout->addWidget(m_setsPane.drives);
    setsLayout->addWidget(m_setsPane.tree, 1);

    auto* optionsColumn = new QVBoxLayout;
    optionsColumn->addWidget(makeOption("makeMS", "Make MS DACs", &DacOptions::makeMS));
    optionsColumn->addWidget(makeOption("makeLynx", "Make Lynx DACs", &DacOptions::makeLynx));
    optionsColumn->addWidget(makeOption("usePswrd", "Use Passwords", &DacOptions::usePasswords));
    optionsColumn->addWidget(makeOption(
        "fixLynx", "Use FixLynx on the original Chips.dat Lynx mode", &DacOptions::fixLynx));
    optionsColumn->addWidget(makeOption("lastLvl",
                                        "Add lastlevel=144 on Chips.dat and CCLP1 through 4",
                                        &DacOptions::lastLevel144));
    optionsColumn->addStretch(1);
    auto* generate = namedButton(this, "Command1", "Generate DAC Files");
    auto* exitButton = namedButton(this, "Command2", "Exit");
    optionsColumn->addWidget(generate);
    optionsColumn->addWidget(exitButton);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(dataFrame, 3);
    layout->addWidget(m_levelSets, 2);
    layout->addWidget(setsFrame, 3);
    layout->addLayout(optionsColumn);
    KeyRule::installOn(*this);
    fitMinimumSize(*this, 0);
    resize(minimumSize().expandedTo(QSize(980, 440)));

    connectPane(m_dataPane, &DacGenerator::chooseDataFolder, &DacGenerator::chooseDataDrive);
    connectPane(m_setsPane, &DacGenerator::chooseSetsFolder, &DacGenerator::chooseSetsDrive);
    connect(m_levelSets, &QListWidget::itemDoubleClicked, this, &DacGenWindow::generateOne);
    connect(generate, &QPushButton::clicked, this, &DacGenWindow::generateAll);
    connect(exitButton, &QPushButton::clicked, this, &DacGenWindow::exit);

    m_generator.load(m_settings);
    for (const auto& [box, option] : m_optionBoxes)
        box->setChecked(m_generator.options().*option);
    showAll();
}

DacGenWindow::PaneWidgets DacGenWindow::makePane(const char* folderName, const char* treeName,
                                                 const char* driveName) {
    PaneWidgets widgets{new QLineEdit(this), new QTreeWidget(this), new QComboBox(this)};
    widgets.folder->setObjectName(folderName);
    widgets.folder->setReadOnly(true);
    widgets.tree->setObjectName(treeName);
    widgets.tree->setHeaderHidden(true);
    widgets.tree->setExpandsOnDoubleClick(false);
    widgets.tree->setRootIsDecorated(false);
    widgets.tree->setMinimumWidth(fontMetrics().horizontalAdvance(QString(16, QChar('M'))));
    widgets.tree->setMinimumHeight(6 * fontMetrics().lineSpacing());
    widgets.drives->setObjectName(driveName);
    return widgets;
}

QCheckBox* DacGenWindow::makeOption(const char* name, const char* caption,
                                    bool DacOptions::*option) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(name);
    connect(box, &QCheckBox::toggled, this,
            [this, option](bool checked) { m_generator.options().*option = checked; });
    m_optionBoxes.emplace_back(box, option);
    return box;
}

void DacGenWindow::connectPane(const PaneWidgets& widgets,
                               bool (DacGenerator::*chooseFolder)(const std::string&),
                               bool (DacGenerator::*chooseDrive)(const std::string&)) {
    connect(widgets.tree, &QTreeWidget::itemActivated, this,
            [this, chooseFolder](QTreeWidgetItem* item) {
                (m_generator.*chooseFolder)(folderPathOf(*item));
                showAll();
            });
    connect(widgets.drives, &QComboBox::currentIndexChanged, this,
            [this, chooseDrive, combo = widgets.drives](int index) {
                (m_generator.*chooseDrive)(drivePathOf(*combo, index));
                showAll();
            });
}

void DacGenWindow::showPane(const PaneWidgets& widgets, const FolderNavigator& pane) {
    showFolderView(pane, *widgets.drives, *widgets.tree, *widgets.folder);
}

void DacGenWindow::showLevelSets() {
    m_levelSets->clear();
    for (const auto& name : m_generator.levelSets()) {
        auto* item = new QListWidgetItem(pathText(name), m_levelSets);
        item->setData(Qt::UserRole, bytesOf(name));
    }
}

void DacGenWindow::showAll() {
    showPane(m_dataPane, m_generator.data());
    showPane(m_setsPane, m_generator.sets());
    showLevelSets();
}

void DacGenWindow::generateAll() {
    const auto result = m_generator.GenerateAll(m_platform, m_settings);
    showLevelSets();
    applyResult(*this, result);
    if (result.done)
        close();
}

void DacGenWindow::generateOne(QListWidgetItem* item) {
    m_generator.GenerateOne(m_platform, bytesIn(item->data(Qt::UserRole)));
}

void DacGenWindow::exit() {
    m_generator.save(m_settings);
    close();
}

} // namespace tessaro
