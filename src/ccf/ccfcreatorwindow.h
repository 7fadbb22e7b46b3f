#pragma once

#include "ccf/ccfcreator.h"
#include "common/paths.h"
#include "gui/commandloop.h"

#include <QWidget>
#include <filesystem>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace tessaro {

// Form4: writes CCF files into the program folder and re-reads the ones
// already there.
class CcfCreatorWindow : public QWidget {
    Q_OBJECT
public:
    CcfCreatorWindow(Platform& platform, const Utf8Path& programFolder,
                     CurrentFolder currentFolder = {}, QWidget* parent = nullptr);

Q_SIGNALS:
    // A CCF file was written into the program folder.
    void ccfSaved();

private:
    QLineEdit* addField(QGridLayout* grid, int row, const char* name, const char* labelName,
                        const QString& label);
    void redraw();

    CcfCreator m_model;
    CommandLoop m_commands{*this, [this] { redraw(); }};
    QLineEdit* m_levelSetPath;
    QLineEdit* m_fakeLastLevel;
    QLineEdit* m_realLastLevel;
    QComboBox* m_ccfName;
};

} // namespace tessaro
