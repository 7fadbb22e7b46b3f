#pragma once

#include "common/paths.h"
#include "dacgen/dacgenerator.h"
#include "gui/commandloop.h"

#include <QWidget>
#include <filesystem>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;

namespace tessaro {

class Platform;
class SettingsStore;

// "DacGen" (Form2): writes Tile World DAC files for the level sets of a DATA
// folder into a SETS folder. All decisions are DacGenerator's; the window
// shows its state and forwards the user's actions.
class DacGenWindow : public QWidget {
    Q_OBJECT
public:
    DacGenWindow(Platform& platform, SettingsStore& settings, const Utf8Path& programFolder,
                 QWidget* parent = nullptr);

private:
    struct PaneWidgets {
        QLineEdit* folder;
        QTreeWidget* tree;
        QComboBox* drives;
    };

    PaneWidgets makePane(const char* folderName, const char* treeName, const char* driveName);
    QCheckBox* makeOption(const char* name, const char* caption, bool DacOptions::*option);
    void showPane(const PaneWidgets& widgets, const FolderNavigator& pane);
    void showLevelSets();
    void redraw();
    void connectPane(const PaneWidgets& widgets,
                     CommandResult (DacGenerator::*chooseFolder)(const std::string&),
                     CommandResult (DacGenerator::*chooseDrive)(const std::string&));

    void generateAll();
    void generateOne(QListWidgetItem* item);
    void exit();

    Platform& m_platform;
    SettingsStore& m_settings;
    DacGenerator m_generator;
    CommandLoop m_commands{*this, [this] { redraw(); }};

    PaneWidgets m_dataPane{};
    PaneWidgets m_setsPane{};
    QListWidget* m_levelSets = nullptr;
    std::vector<std::pair<QCheckBox*, bool DacOptions::*>> m_optionBoxes;
};

} // namespace tessaro
