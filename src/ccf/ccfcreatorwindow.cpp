#include "ccf/ccfcreatorwindow.h"

#include "gui/codepage.h"
#include "gui/keyrule.h"
#include "gui/widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace tessaro {

CcfCreatorWindow::CcfCreatorWindow(Platform& platform, std::filesystem::path programFolder,
                                   CurrentFolder currentFolder, QWidget* parent)
    : QWidget(parent), m_model(platform, std::move(programFolder), std::move(currentFolder)) {
    setObjectName("Form4");
    setWindowTitle("CCF File Creator");

    auto* grid = new QGridLayout;
    m_text1 = addField(grid, 0, "Text1", "Label1", "DAT File:");
    m_text1->setReadOnly(true);
    auto* command3 = namedButton(this, "Command3", "Browse...");
    grid->addWidget(command3, 0, 2);
    m_text2 = addField(grid, 1, "Text2", "Label2", "Fake \"level 144\" last level:");
    m_text3 = addField(grid, 2, "Text3", "Label3", "Real \"level 149\" last level:");
    int row = 3;

    auto* label4 = new QLabel("What to call this CCF file (include the \".ccf\"):", this);
    label4->setObjectName("Label4");
    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName("Combo1");
    m_combo1->setEditable(true);
    // The name stays exactly as typed: no completion, nothing added to the list.
    m_combo1->setCompleter(nullptr);
    m_combo1->setInsertPolicy(QComboBox::NoInsert);
    // File1 lists the program folder's CCF files; it stays hidden and only
    // feeds Combo1's list.
    auto* file1 = new QListWidget(this);
    file1->setObjectName("File1");
    file1->hide();
    // Each entry keeps the name's own bytes, which its text may not give back.
    for (const auto& name : m_model.ccfNames()) {
        file1->addItem(pathText(name));
        m_combo1->addItem(pathText(name), QByteArray::fromStdString(name));
    }
    m_combo1->setCurrentIndex(-1);
    grid->addWidget(label4, row++, 0, 1, 3);
    grid->addWidget(m_combo1, row++, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* command1 = namedButton(this, "Command1", "Save");
    auto* command2 = namedButton(this, "Command2", "Cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(command1);
    buttons->addWidget(command2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    for (auto [field, text] :
         {std::pair{m_text2, &m_model.fakeLastLevel}, {m_text3, &m_model.realLastLevel}})
        connect(field, &QLineEdit::textChanged, this,
                [text](const QString& edited) { *text = toBytes(edited); });
    connect(m_combo1, &QComboBox::editTextChanged, this,
            [this](const QString& text) { m_model.ccfName = pathBytes(text); });
    connect(m_combo1, &QComboBox::activated, this, [this](int index) {
        m_model.pick(m_combo1->itemData(index).toByteArray().toStdString());
        redraw();
    });
    connect(command3, &QPushButton::clicked, this, [this] {
        m_model.browse();
        redraw();
    });
    connect(command1, &QPushButton::clicked, this, [this] {
        const auto result = m_model.save();
        redraw();
        focusControl(*this, result.focus);
        if (result.saved)
            Q_EMIT ccfSaved();
    });
    connect(command2, &QPushButton::clicked, this, &QWidget::close);

    redraw();
    KeyRule::installOn(*this);
    fitMinimumSize(*this, textWidth(*this, 64));
    resize(std::max(minimumWidth(), 460), minimumHeight());
}

QLineEdit* CcfCreatorWindow::addField(QGridLayout* grid, int row, const char* name,
                                      const char* labelName, const QString& label) {
    auto* caption = new QLabel(label, this);
    caption->setObjectName(labelName);
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1);
    return field;
}

void CcfCreatorWindow::redraw() {
    showPath(*m_text1, m_model.levelSetPath);
    showText(*m_text2, m_model.fakeLastLevel);
    showText(*m_text3, m_model.realLastLevel);
    const auto name = pathText(m_model.ccfName);
    if (m_combo1->currentText() != name)
        m_combo1->setEditText(name);
}

} // namespace tessaro
