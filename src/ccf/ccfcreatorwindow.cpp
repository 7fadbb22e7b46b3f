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

namespace tessaro {

CcfCreatorWindow::CcfCreatorWindow(Platform& platform, const Utf8Path& programFolder,
                                   CurrentFolder currentFolder, QWidget* parent)
    : QWidget(parent), m_model(platform, toPath(programFolder), std::move(currentFolder)) {
    setObjectName("Form4");
    setWindowTitle("CCF File Creator");

    auto* grid = new QGridLayout;
    m_levelSetPath = addField(grid, 0, "Text1", "Label1", "DAT File:");
    m_levelSetPath->setReadOnly(true);
    auto* browse = named<QPushButton>("Command3", "Browse...", this);
    grid->addWidget(browse, 0, 2);
    m_fakeLastLevel = addField(grid, 1, "Text2", "Label2", "Fake \"level 144\" last level:");
    m_realLastLevel = addField(grid, 2, "Text3", "Label3", "Real \"level 149\" last level:");
    int row = 3;

    auto* label4 =
        named<QLabel>("Label4", "What to call this CCF file (include the \".ccf\"):", this);
    m_ccfName = named<QComboBox>("Combo1", this);
    m_ccfName->setEditable(true);
    // The name stays exactly as typed: no completion, nothing added to the list.
    m_ccfName->setCompleter(nullptr);
    m_ccfName->setInsertPolicy(QComboBox::NoInsert);
    // File1 lists the program folder's CCF files; it stays hidden and only
    // feeds the name box's list.
    auto* file1 = named<QListWidget>("File1", this);
    file1->hide();
    // Each entry keeps the name's own bytes, which its text may not give back.
    for (const auto& name : m_model.ccfNames()) {
        file1->addItem(pathText(name));
        m_ccfName->addItem(pathText(name), QByteArray::fromStdString(name));
    }
    m_ccfName->setCurrentIndex(-1);
    grid->addWidget(label4, row++, 0, 1, 3);
    grid->addWidget(m_ccfName, row++, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* save = named<QPushButton>("Command1", "Save", this);
    auto* cancel = named<QPushButton>("Command2", "Cancel", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    bindText(*m_fakeLastLevel, m_model.fakeLastLevel);
    bindText(*m_realLastLevel, m_model.realLastLevel);
    bindPath(*m_ccfName->lineEdit(), m_model.ccfName);
    connect(m_ccfName, &QComboBox::activated, this, [this](int index) {
        const auto name = m_ccfName->itemData(index).toByteArray().toStdString();
        m_commands.run([this, &name] { return m_model.pick(name); });
    });
    connect(browse, &QPushButton::clicked, this,
            [this] { m_commands.run([this] { return m_model.browse(); }); });
    connect(save, &QPushButton::clicked, this, [this] {
        if (m_commands.run([this] { return m_model.save(); }).done)
            Q_EMIT ccfSaved();
    });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    redraw();
    KeyRule::installOn(*this);
    fitMinimumSize(*this, textWidth(*this, 64));
    resize(std::max(minimumWidth(), 460), minimumHeight());
}

QLineEdit* CcfCreatorWindow::addField(QGridLayout* grid, int row, const char* name,
                                      const char* labelName, const QString& label) {
    auto* caption = named<QLabel>(labelName, label, this);
    auto* field = named<QLineEdit>(name, this);
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1);
    return field;
}

void CcfCreatorWindow::redraw() {
    showPath(*m_levelSetPath, m_model.levelSetPath);
    showText(*m_fakeLastLevel, m_model.fakeLastLevel);
    showText(*m_realLastLevel, m_model.realLastLevel);
    showPath(*m_ccfName->lineEdit(), m_model.ccfName);
}

} // namespace tessaro
