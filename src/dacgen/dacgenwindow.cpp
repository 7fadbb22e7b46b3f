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

    auto* dataFrame = named<QGroupBox>("Frame1", "Tile World DATA folder", this);
    m_dataPane = makePane("dataFolder", "dataDir", "dataDrive");
    auto* description =
        named<QLabel>("lblDesc", "Double click a set below to create DAC(s) for just that set, "
                                 "using the settings on the right.");
    description->setWordWrap(true);
    auto* dataLayout = new QVBoxLayout(dataFrame);
    dataLayout->addWidget(m_dataPane.folder);
    dataLayout->addWidget(m_dataPane.drives);
    dataLayout->addWidget(m_dataPane.tree, 1);
    dataLayout->addWidget(description);

    m_levelSets = named<QListWidget>("File1", this);
    m_levelSets->setMinimumWidth(fontMetrics().horizontalAdvance(QString(14, QChar('M'))));

    auto* setsFrame = named<QGroupBox>("Frame2", "Tile World SETS folder", this);
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
    auto* generate = named<QPushButton>("Command1", "Generate DAC Files", this);
    auto* exitButton = named<QPushButton>("Command2", "Exit", this);
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
    redraw();
}

DacGenWindow::PaneWidgets DacGenWindow::makePane(const char* folderName, const char* treeName,
                                                 const char* driveName) {
    PaneWidgets widgets{named<QLineEdit>(folderName, this), named<QTreeWidget>(treeName, this),
                        named<QComboBox>(driveName, this)};
    widgets.folder->setReadOnly(true);
    widgets.tree->setHeaderHidden(true);
    widgets.tree->setExpandsOnDoubleClick(false);
    widgets.tree->setRootIsDecorated(false);
    widgets.tree->setMinimumWidth(fontMetrics().horizontalAdvance(QString(16, QChar('M'))));
    widgets.tree->setMinimumHeight(6 * fontMetrics().lineSpacing());
    return widgets;
}

QCheckBox* DacGenWindow::makeOption(const char* name, const char* caption,
                                    bool DacOptions::*option) {
    auto* box = named<QCheckBox>(name, caption, this);
    connect(box, &QCheckBox::toggled, this,
            [this, option](bool checked) { m_generator.options().*option = checked; });
    m_optionBoxes.emplace_back(box, option);
    return box;
}

void DacGenWindow::connectPane(const PaneWidgets& widgets,
                               CommandResult (DacGenerator::*chooseFolder)(const std::string&),
                               CommandResult (DacGenerator::*chooseDrive)(const std::string&)) {
    connect(widgets.tree, &QTreeWidget::itemActivated, this,
            [this, chooseFolder](QTreeWidgetItem* item) {
                const auto folder = folderPathOf(*item);
                m_commands.run([&] { return (m_generator.*chooseFolder)(folder); });
            });
    connect(widgets.drives, &QComboBox::currentIndexChanged, this,
            [this, chooseDrive, combo = widgets.drives](int index) {
                const auto drive = drivePathOf(*combo, index);
                m_commands.run([&] { return (m_generator.*chooseDrive)(drive); });
            });
}

void DacGenWindow::showPane(const PaneWidgets& widgets, const FolderNavigator& pane) {
    showFolderView(pane, *widgets.drives, *widgets.tree, *widgets.folder);
}

void DacGenWindow::showLevelSets() {
    const auto& names = m_generator.levelSets();
    bool shown = m_levelSets->count() == static_cast<int>(names.size());
    for (int row = 0; shown && row < m_levelSets->count(); ++row)
        shown = bytesIn(m_levelSets->item(row)->data(Qt::UserRole)) == names[std::size_t(row)];
    if (shown) // the list a double-click came from stays as it is
        return;
    m_levelSets->clear();
    for (const auto& name : names) {
        auto* item = new QListWidgetItem(pathText(name), m_levelSets);
        item->setData(Qt::UserRole, bytesOf(name));
    }
}

void DacGenWindow::redraw() {
    showPane(m_dataPane, m_generator.data());
    showPane(m_setsPane, m_generator.sets());
    showLevelSets();
}

void DacGenWindow::generateAll() {
    if (m_commands.run([this] { return m_generator.GenerateAll(m_platform, m_settings); }).done)
        close();
}

void DacGenWindow::generateOne(QListWidgetItem* item) {
    const auto name = bytesIn(item->data(Qt::UserRole));
    m_commands.run([this, &name] { return m_generator.GenerateOne(m_platform, name); });
}

void DacGenWindow::exit() {
    m_commands.run([this] { return m_generator.save(m_settings); });
    close();
}

} // namespace tessaro
