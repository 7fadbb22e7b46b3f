#include "score_ini/inieditorwindow.h"

#include "gui/codepage.h"
#include "gui/keyrule.h"
#include "gui/listmodel.h"
#include "gui/widgets.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaro {

IniEditorWindow::IniEditorWindow(Platform& platform, QWidget* parent)
    : QWidget(parent), m_editor(platform) {
    setObjectName("Form5");
    setWindowTitle(IniEditor::kCaption);
    createControls();
    createLayout();
    connectControls();
    m_editor.setLevelListObserver(m_levels);
    redraw();
    KeyRule::installOn(*this);
    fitMinimumSize(*this, 0);
    resize(minimumSize().expandedTo(QSize(600, 480)));
}

void IniEditorWindow::createControls() {
    const auto label = [this](const char* name, const char* text) {
        return named<QLabel>(name, QString::fromUtf8(text), this);
    };
    const auto lineEdit = [this](const char* name) { return named<QLineEdit>(name, this); };
    const auto button = [this](const char* name, const char* caption) {
        auto* created = named<QPushButton>(name, QString::fromUtf8(caption), this);
        created->setAutoDefault(false);
        return created;
    };

    m_label1 = label("Label1", "INI file:");
    m_iniFileName = lineEdit("Text1");
    m_label1->setBuddy(m_iniFileName);
    m_browse = button("Command1", "Browse");
    m_label2 = label("Label2", IniEditor::kSetNameNote);
    m_label2->setWordWrap(true);
    m_label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_setName = lineEdit("Text2");
    m_label2->setBuddy(m_setName);
    m_getInfo = button("cmdInfo", "Get Info");

    m_levels = new ObservedListModel(
        [this] { return static_cast<int>(m_editor.entryCount()); },
        [this](int row) { return m_editor.entryText(static_cast<std::size_t>(row)); }, this);
    m_levelList = named<QListView>("List1", this);
    m_levelList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_levelList->setUniformItemSizes(true);
    m_levelList->setModel(m_levels);
    // The lines of the section that are not level entries; never shown.
    m_extraLines = named<QListWidget>("List2", this);
    m_extraLines->hide();

    m_insertBefore = button("cmdInsert1", "Insert Before");
    m_insertAfter = button("cmdInsert2", "Insert After");
    m_moveUp = button("cmdMoveUp", "Move Up");
    m_moveDown = button("cmdMoveDown", "Move Down");
    m_deleteEntry = button("cmdDelete", "Delete Entry");
    m_deleteScore = button("cmdDeleteScore", "Delete Score");
    m_changeTime = button("cmdChangeScore", "Change Time");
    m_changePassword = button("cmdChangePass", "Change Password");
    m_save = button("cmdSave", "Save");
    m_saveAs = button("cmdSaveAs", "Save As");
    m_exit = button("Command3", "Exit");
}

void IniEditorWindow::createLayout() {
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_label1);
    fileRow->addWidget(m_iniFileName, 1);
    fileRow->addWidget(m_browse);

    // The set name field stands level with the note's first line, "Get Info" under it.
    auto* setRow = new QGridLayout;
    setRow->addWidget(m_label2, 0, 0, 3, 1);
    setRow->addWidget(m_setName, 0, 1);
    setRow->addWidget(m_getInfo, 1, 1, Qt::AlignLeft);
    setRow->setRowStretch(2, 1);
    setRow->setColumnStretch(0, 3);
    setRow->setColumnStretch(1, 2);

    auto* editColumn = new QVBoxLayout;
    for (auto* button : {m_insertBefore, m_insertAfter, m_moveUp, m_moveDown, m_deleteEntry,
                         m_deleteScore, m_changeTime, m_changePassword})
        editColumn->addWidget(button);
    editColumn->addStretch(1);

    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_levelList, 1);
    listRow->addLayout(editColumn);

    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(m_save);
    bottomRow->addWidget(m_saveAs);
    bottomRow->addStretch(1);
    bottomRow->addWidget(m_exit);

    auto* window = new QVBoxLayout(this);
    window->addLayout(fileRow);
    window->addLayout(setRow);
    window->addLayout(listRow, 1);
    window->addLayout(bottomRow);
}

void IniEditorWindow::connectControls() {
    bindPath(*m_iniFileName, m_editor.iniFileName);
    bindPath(*m_setName, m_editor.setName);
    // The list also moves its current row itself as rows come and go; the
    // editor sets its own selection after each change and redraw shows it.
    connect(m_levelList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                m_editor.select(current.isValid()
                                    ? std::optional(static_cast<std::size_t>(current.row()))
                                    : std::nullopt);
            });

    const std::pair<QPushButton*, CommandResult (IniEditor::*)()> commands[] = {
        {m_browse, &IniEditor::browse},
        {m_getInfo, &IniEditor::getInfo},
        {m_insertBefore, &IniEditor::insertBefore},
        {m_insertAfter, &IniEditor::insertAfter},
        {m_moveUp, &IniEditor::moveUp},
        {m_moveDown, &IniEditor::moveDown},
        {m_deleteEntry, &IniEditor::deleteEntry},
        {m_deleteScore, &IniEditor::deleteScore},
        {m_changeTime, &IniEditor::changeTime},
        {m_changePassword, &IniEditor::changePassword},
        {m_save, &IniEditor::save},
        {m_saveAs, &IniEditor::saveAs},
    };
    for (const auto& [button, command] : commands)
        connect(button, &QPushButton::clicked, this, [this, command = command] {
            m_commands.run([this, command] { return (m_editor.*command)(); });
        });
    connect(m_exit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_setName, &QLineEdit::returnPressed, this,
            [this] { m_commands.run([this] { return m_editor.getInfo(); }); });
}

void IniEditorWindow::closeEvent(QCloseEvent* event) {
    if (m_commands.run([this] { return m_editor.confirmClose(); }).done)
        event->accept();
    else
        event->ignore();
}

void IniEditorWindow::redraw() {
    showPath(*m_iniFileName, m_editor.iniFileName);
    const bool enabled = m_editor.editingEnabled();
    for (auto* button : {m_insertBefore, m_insertAfter, m_moveUp, m_moveDown, m_deleteEntry,
                         m_deleteScore, m_changeTime, m_changePassword, m_save, m_saveAs})
        button->setEnabled(enabled);

    auto* selection = m_levelList->selectionModel();
    if (const auto row = m_editor.selection()) {
        selection->setCurrentIndex(m_levels->index(static_cast<int>(*row)),
                                   QItemSelectionModel::ClearAndSelect);
    } else {
        selection->clear();
    }
    showExtraLines();
}

void IniEditorWindow::showExtraLines() {
    const auto& lines = m_editor.extraLines();
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines)
        rows.append(fromBytes(line));
    QStringList shown;
    for (int i = 0; i < m_extraLines->count(); ++i)
        shown.append(m_extraLines->item(i)->text());
    if (shown != rows) {
        m_extraLines->clear();
        m_extraLines->addItems(rows);
    }
}

} // namespace tessaro
