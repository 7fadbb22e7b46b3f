#include "exe_creator/execreatorwindow.h"

#include "gui/codepage.h"
#include "gui/keyrule.h"
#include "gui/widgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tessaro {

namespace {

// Qt breaks label lines at LF only.
QString labelText(const std::string& bytes) {
    auto text = fromBytes(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

} // namespace

ExeCreatorWindow::ExeCreatorWindow(Platform& platform, SettingsStore& settings,
                                   CurrentFolder currentFolder, QWidget* parent)
    : QWidget(parent), m_model(platform, settings, std::move(currentFolder)) {
    setObjectName("Form3");

    m_headings = named<QLabel>("Label1", this);
    m_headings->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_originalExe = addField("OrigExe", false);
    m_newExe = addField("NewExe", false);
    m_iniName = addField("NewIni", true);
    m_dataName = addField("NewDat", true);
    auto* browseOriginal = named<QPushButton>("Command1", "Browse...", this);
    m_browseNew = named<QPushButton>("Command2", "Browse...", this);

    // Each heading line sits level with its field: the fields stand
    // in rows two label lines high, and the label starts half a line down.
    const int lineHeight = m_headings->fontMetrics().lineSpacing();
    const int rowHeight = 2 * lineHeight;
    m_headings->setContentsMargins(0, lineHeight / 2, 0, 0);
    auto* rows = new QVBoxLayout;
    rows->setSpacing(0);
    rows->addWidget(pathRow(m_originalExe, browseOriginal, rowHeight));
    m_newExeRows[0] = pathRow(m_newExe, m_browseNew, rowHeight);
    m_newExeRows[1] = pathRow(m_iniName, nullptr, rowHeight);
    m_newExeRows[2] = pathRow(m_dataName, nullptr, rowHeight);
    for (auto* row : m_newExeRows)
        rows->addWidget(row);
    rows->addStretch();
    auto* paths = new QHBoxLayout;
    paths->addWidget(m_headings);
    paths->addLayout(rows, 1);

    auto* label2 = named<QLabel>("Label2", "Fake last level:", this);
    auto* label3 = named<QLabel>("Label3", "Real last level:", this);
    m_fakeLastLevel = addField("lev144", true);
    m_realLastLevel = addField("lev149", true);
    auto* levels = new QFormLayout;
    levels->addRow(label2, m_fakeLastLevel);
    levels->addRow(label3, m_realLastLevel);

    auto* okButton = named<QPushButton>("Command4", "OK", this);
    auto* exitButton = named<QPushButton>("Command3", "Exit", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(exitButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(paths);
    layout->addLayout(levels);
    layout->addStretch();
    layout->addLayout(buttons);

    m_paths = {{m_originalExe, &m_model.originalExe}, {m_newExe, &m_model.newExe}};
    for (auto [field, path] : m_paths)
        bindPath(*field, *path);
    m_fields = {{m_iniName, &m_model.iniName},
                {m_dataName, &m_model.dataName},
                {m_fakeLastLevel, &m_model.fakeLastLevel},
                {m_realLastLevel, &m_model.realLastLevel}};
    for (auto [field, text] : m_fields)
        bindText(*field, *text);

    connect(browseOriginal, &QPushButton::clicked, this,
            [this] { m_commands.run([this] { return m_model.browseOriginal(); }); });
    connect(m_browseNew, &QPushButton::clicked, this,
            [this] { m_commands.run([this] { return m_model.browseNew(); }); });
    connect(okButton, &QPushButton::clicked, this,
            [this] { m_commands.run([this] { return m_model.ok(); }); });
    connect(exitButton, &QPushButton::clicked, this, [this] {
        m_commands.run([this] { return m_model.exit(); });
        close();
    });

    redraw();
    KeyRule::installOn(*this);
    fitMinimumSize(*this, textWidth(*this, 64));
    resize(std::max(minimumWidth(), 520), minimumHeight());
}

QLineEdit* ExeCreatorWindow::addField(const char* name, bool typed) {
    auto* field = named<QLineEdit>(name, this);
    field->setReadOnly(!typed);
    return field;
}

QWidget* ExeCreatorWindow::pathRow(QWidget* field, QWidget* button, int height) {
    auto* row = new QWidget(this);
    row->setFixedHeight(height);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field, 1);
    if (button)
        layout->addWidget(button);
    return row;
}

void ExeCreatorWindow::setMode(ExeCreatorMode mode) {
    m_commands.run([this, mode] { return m_model.setMode(mode); });
    // Fit the height to the rows now shown.
    fitMinimumSize(*this, textWidth(*this, 64));
    resize(width(), minimumHeight());
}

void ExeCreatorWindow::redraw() {
    setWindowTitle(fromBytes(m_model.caption()));
    m_headings->setText(labelText(m_model.headings()));
    const bool shown = m_model.showsNewExeFields();
    for (auto* row : m_newExeRows)
        row->setVisible(shown);
    QWidget* const newExeControls[] = {m_newExe, m_browseNew, m_iniName, m_dataName};
    for (auto* control : newExeControls)
        control->setVisible(shown);
    for (auto [field, path] : m_paths)
        showPath(*field, *path);
    for (auto [field, text] : m_fields)
        showText(*field, *text);
}

} // namespace tessaro
