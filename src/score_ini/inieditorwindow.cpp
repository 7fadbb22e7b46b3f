#include "score_ini/inieditorwindow.h"

#include "gui/codepage.h"
#include "gui/keyrule.h"
#include "gui/widgets.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tessaro {

namespace {

QStringList rowsOf(const std::vector<std::string>& lines) {
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines)
        rows.append(fromBytes(line));
    return rows;
}

} // namespace

IniEditorWindow::IniEditorWindow(Platform& platform, QWidget* parent)
    : QWidget(parent), m_editor(platform) {
    setObjectName("Form5");
    setWindowTitle(IniEditor::kCaption);
    createControls();
    createLayout();
    connectControls();
    m_editor.setView(this);
    showState();
    KeyRule::installOn(*this);
    fitMinimumSize(*this, 0);
    resize(minimumSize().expandedTo(QSize(600, 480)));
}

void IniEditorWindow::createControls() {
    const auto label = [this](const char* name, const char* text) {
        auto* created = new QLabel(QString::fromUtf8(text), this);
        created->setObjectName(name);
        return created;
    };
    const auto lineEdit = [this](const char* name) {
        auto* created = new QLineEdit(this);
        created->setObjectName(name);
        return created;
    };
    const auto button = [this](const char* name, const char* caption) {
        auto* created = new QPushButton(QString::fromUtf8(caption), this);
        created->setObjectName(name);
        created->setAutoDefault(false);
        return created;
    };
    const auto list = [this](const char* name) {
        auto* created = new QListWidget(this);
        created->setObjectName(name);
        created->setSelectionMode(QAbstractItemView::SingleSelection);
        created->setUniformItemSizes(true);
        return created;
    };

    m_label1 = label("Label1", "INI file:");
    m_text1 = lineEdit("Text1");
    m_label1->setBuddy(m_text1);
    m_browse = button("Command1", "Browse");
    m_label2 = label("Label2", IniEditor::kSetNameNote);
    m_label2->setWordWrap(true);
    m_label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text2 = lineEdit("Text2");
    m_label2->setBuddy(m_text2);
    m_getInfo = button("cmdInfo", "Get Info");

    m_list1 = list("List1");
    m_list2 = list("List2");
    m_list2->hide();

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
    fileRow->addWidget(m_text1, 1);
    fileRow->addWidget(m_browse);

    // The set name field stands level with the note's first line, "Get Info" under it.
    auto* setRow = new QGridLayout;
    setRow->addWidget(m_label2, 0, 0, 3, 1);
    setRow->addWidget(m_text2, 0, 1);
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
    listRow->addWidget(m_list1, 1);
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
    connect(m_text1, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_editor.setIniFileText(pathBytes(text)); });
    connect(m_text2, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_editor.setSetNameText(pathBytes(text)); });
    // Only the player's clicks reach here: the editor's own row changes are
    // drawn with the list's signals blocked.
    connect(m_list1, &QListWidget::currentRowChanged, this, [this](int row) {
        m_editor.select(row < 0 ? std::nullopt
                                : std::optional<std::size_t>(static_cast<std::size_t>(row)));
    });

    const std::pair<QPushButton*, void (IniEditor::*)()> commands[] = {
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
        connect(button, &QPushButton::clicked, this, [this, command = command] { run(command); });
    connect(m_exit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_text2, &QLineEdit::returnPressed, this, [this] { run(&IniEditor::getInfo); });
}

void IniEditorWindow::closeEvent(QCloseEvent* event) {
    if (m_editor.confirmClose())
        event->accept();
    else
        event->ignore();
    showState();
}

void IniEditorWindow::run(void (IniEditor::*command)()) {
    (m_editor.*command)();
    showState();
}

void IniEditorWindow::showState() {
    const QString iniFileName = pathText(m_editor.iniFileText());
    if (m_text1->text() != iniFileName)
        m_text1->setText(iniFileName);
    const bool enabled = m_editor.editingEnabled();
    for (auto* button : {m_insertBefore, m_insertAfter, m_moveUp, m_moveDown, m_deleteEntry,
                         m_deleteScore, m_changeTime, m_changePassword, m_save, m_saveAs})
        button->setEnabled(enabled);

    const QSignalBlocker blocker(m_list1);
    const auto selection = m_editor.selection();
    if (selection) {
        m_list1->setCurrentRow(static_cast<int>(*selection));
    } else {
        m_list1->setCurrentRow(-1);
        m_list1->clearSelection();
    }
}

void IniEditorWindow::entriesReset() {
    const QSignalBlocker blocker(m_list1);
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(m_editor.entryCount()));
    for (std::size_t i = 0; i < m_editor.entryCount(); ++i)
        rows.append(fromBytes(m_editor.entryText(i)));
    m_list1->clear();
    m_list1->addItems(rows);
    extraLinesChanged();
}

void IniEditorWindow::entryInserted(std::size_t position) {
    const QSignalBlocker blocker(m_list1);
    m_list1->insertItem(static_cast<int>(position), fromBytes(m_editor.entryText(position)));
}

void IniEditorWindow::entryRemoved(std::size_t position) {
    const QSignalBlocker blocker(m_list1);
    delete m_list1->takeItem(static_cast<int>(position));
}

void IniEditorWindow::entriesChanged(std::size_t first, std::size_t last) {
    for (std::size_t i = first; i <= last; ++i)
        m_list1->item(static_cast<int>(i))->setText(fromBytes(m_editor.entryText(i)));
}

void IniEditorWindow::extraLinesChanged() {
    m_list2->clear();
    m_list2->addItems(rowsOf(m_editor.extraLines()));
}

} // namespace tessaro
