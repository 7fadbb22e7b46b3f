#pragma once

#include "exe_creator/execreator.h"
#include "gui/commandloop.h"

#include <QWidget>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tessaro {

// Form3: writes a re-targeted copy of a game executable, or, as Quorvel,
// rewrites the last levels of an executable in place. The opener sets the
// mode right after building the window and again whenever the player picks
// the other mode from the menu.
class ExeCreatorWindow : public QWidget {
    Q_OBJECT
public:
    ExeCreatorWindow(Platform& platform, SettingsStore& settings, CurrentFolder currentFolder = {},
                     QWidget* parent = nullptr);

    void setMode(ExeCreatorMode mode);

private:
    QLineEdit* addField(const char* name, bool typed);
    QWidget* pathRow(QWidget* field, QWidget* button, int height);
    void redraw();

    ExeCreator m_model;
    CommandLoop m_commands{*this, [this] { redraw(); }};
    QLabel* m_headings;
    QLineEdit* m_originalExe;
    QLineEdit* m_newExe;
    QLineEdit* m_iniName;
    QLineEdit* m_dataName;
    QLineEdit* m_fakeLastLevel;
    QLineEdit* m_realLastLevel;
    QPushButton* m_browseNew;
    QWidget* m_newExeRows[3];
    // Each text field with the model's text it shows.
    std::vector<std::pair<QLineEdit*, std::string*>> m_paths;  // the original and new executables
    std::vector<std::pair<QLineEdit*, std::string*>> m_fields; // the names and levels typed
};

} // namespace tessaro
