#include "ccx/ccxeditorwindow.h"

#include "ccx/htmlcolor.h"
#include "gui/codepage.h"
#include "gui/listmodel.h"
#include "gui/widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

namespace tessaro {

namespace {

// A page's lines end in CR LF in the file; a text box ends them in LF.
QString pageTextForBox(const std::string& bytes) {
    return fromBytes(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string pageTextFromBox(const QString& text) {
    QString lines = text;
    return toBytes(lines.replace(QChar('\n'), QStringLiteral("\r\n")));
}

QColor toQColor(ColorValue color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

// A colour sample: the label's background and text in the two colours.
QLabel* colorSample(QWidget* parent, const char* objectName) {
    auto* sample = named<QLabel>(objectName, "Color", parent);
    sample->setAlignment(Qt::AlignCenter);
    sample->setMinimumWidth(56);
    sample->setFrameShape(QFrame::Box);
    return sample;
}

void showColors(QLabel& sample, ColorValue back, ColorValue font) {
    const QString style = QStringLiteral("QLabel { background-color: %1; color: %2; }")
                              .arg(QString::fromStdString(formatHtmlColor(back)),
                                   QString::fromStdString(formatHtmlColor(font)));
    if (sample.styleSheet() != style)
        sample.setStyleSheet(style);
}

void check(QAbstractButton& button, bool checked) {
    if (button.isChecked() != checked)
        button.setChecked(checked);
}

} // namespace

CcxEditorWindow::CcxEditorWindow(Platform& platform, QWidget* parent)
    : QMainWindow(parent), m_editor(platform) {
    setObjectName("Form6");
    setWindowTitle(kCcxEditorCaption);
    createMenu();

    auto* central = new QWidget(this);
    m_fileName = named<QLabel>("Label1", "File Name:", central);
    m_fileName->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* left = new QVBoxLayout;
    left->addWidget(createSetPanel());
    left->addWidget(createListPanel(), 1);
    auto* right = new QVBoxLayout;
    right->addWidget(createLevelPanel());
    right->addWidget(createPagePanel(), 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 2);
    columns->addLayout(right, 5);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(m_fileName);
    layout->addLayout(columns, 1);
    setCentralWidget(central);

    connectList();
    redraw();
    resize(1000, 660);
}

void CcxEditorWindow::createMenu() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("menuFile");
    const auto add = [this, file](const char* name, const char* caption, const char* shortcut,
                                  auto command) {
        auto* action = file->addAction(caption);
        action->setObjectName(name);
        if (shortcut)
            action->setShortcut(QKeySequence(shortcut));
        connect(action, &QAction::triggered, this, command);
        return action;
    };
    add("menuNew", "New", "Ctrl+N", [this] { run(&CcxEditor::newFile); });
    add("menuOpen", "Open", "Ctrl+O", [this] { run(&CcxEditor::open); });
    m_save = add("menuSave", "Save", "Ctrl+S", [this] { run(&CcxEditor::save); });
    file->addSeparator();
    add("menuExit", "Exit", nullptr, [this] { close(); });
}

QWidget* CcxEditorWindow::choiceFrame(const QString& title, const char* yes, const char* no,
                                      const char* ignore, ChoiceButtons& buttons,
                                      CompatChoice& choice) {
    auto* frame = new QGroupBox(title);
    auto* column = new QVBoxLayout(frame);
    column->setSpacing(2);
    buttons = {named<QRadioButton>(yes, "Yes", frame), named<QRadioButton>(no, "No", frame),
               named<QRadioButton>(ignore, "Ignore", frame)};
    for (auto [button, value] : {std::pair{buttons.yes, CompatChoice::Yes},
                                 {buttons.no, CompatChoice::No},
                                 {buttons.ignore, CompatChoice::Ignore}}) {
        column->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [&choice, value = value](bool checked) {
            if (checked)
                choice = value;
        });
    }
    return frame;
}

QWidget* CcxEditorWindow::createSetPanel() {
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    auto& document = m_editor.document();

    m_description = named<QLineEdit>("setDescription", panel);
    m_setAuthor = named<QLineEdit>("setAuthor", panel);
    bindText(*m_description, document.description);
    bindText(*m_setAuthor, document.author);
    grid->addWidget(named<QLabel>("Label2", "Set name:", panel), 0, 0);
    grid->addWidget(m_description, 0, 1);
    grid->addWidget(named<QLabel>("Label3", "Set author:", panel), 1, 0);
    grid->addWidget(m_setAuthor, 1, 1);

    grid->addWidget(named<QLabel>("Label4", "Set compatibility:", panel), 2, 0, 1, 2);
    auto* frames = new QHBoxLayout;
    frames->addWidget(choiceFrame("MS", "msYes", "msNo", "msIgnore", m_setMs, document.msChoice));
    frames->addWidget(
        choiceFrame("Lynx", "lynxYes", "lynxNo", "lynxIgnore", m_setLynx, document.lynxChoice));
    frames->addWidget(choiceFrame("Pedantic", "pedYes", "pedNo", "pedIgnore", m_setPedantic,
                                  document.pedanticChoice));
    grid->addLayout(frames, 3, 0, 1, 2);

    m_defaultColors = named<QCheckBox>("Check1", "Set default colors", panel);
    connect(m_defaultColors, &QCheckBox::toggled, this, [this](bool checked) {
        m_editor.document().hasDefaultColors = checked;
        showPreview();
    });
    m_defaultSample = colorSample(panel, "colorSetLabel");
    auto* bgColorSet = named<QPushButton>("bgColorSet", "Background", panel);
    auto* fontColorSet = named<QPushButton>("fontColorSet", "Font", panel);
    connect(bgColorSet, &QPushButton::clicked, this,
            [this] { run(&CcxEditor::chooseDefaultBackColor); });
    connect(fontColorSet, &QPushButton::clicked, this,
            [this] { run(&CcxEditor::chooseDefaultFontColor); });
    auto* colors = new QHBoxLayout;
    colors->addWidget(m_defaultSample);
    colors->addWidget(bgColorSet);
    colors->addWidget(fontColorSet);
    grid->addWidget(m_defaultColors, 4, 0, 1, 2);
    grid->addLayout(colors, 5, 0, 1, 2);

    auto* importList = named<QPushButton>("importList", "Import Titles", panel);
    connect(importList, &QPushButton::clicked, this, [this] { run(&CcxEditor::importTitles); });
    grid->addWidget(importList, 6, 0, 1, 2);
    return panel;
}

QWidget* CcxEditorWindow::createListPanel() {
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_levelList = named<QListView>("levelList", panel);
    m_levelList->setUniformItemSizes(true);
    m_levelList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_levelList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* caption = named<QLabel>("Label5", "List of levels:", panel);
    caption->setBuddy(m_levelList);
    layout->addWidget(caption);
    layout->addWidget(m_levelList, 1);

    auto* buttons = new QGridLayout;
    const std::pair<const char*, const char*> names[] = {{"insertBefore", "Insert Before"},
                                                         {"insertAfter", "Insert After"},
                                                         {"delete", "Delete"},
                                                         {"deleteAndShift", "Delete and Renumber"},
                                                         {"moveUp", "Move Up"},
                                                         {"moveDown", "Move Down"}};
    CommandResult (CcxEditor::*const commands[])() = {
        &CcxEditor::insertBefore,      &CcxEditor::insertAfter, &CcxEditor::deleteLevel,
        &CcxEditor::deleteAndRenumber, &CcxEditor::moveUp,      &CcxEditor::moveDown};
    for (int i = 0; i < 6; ++i) {
        auto* button = named<QPushButton>(names[i].first, names[i].second, panel);
        connect(button, &QPushButton::clicked, this,
                [this, command = commands[i]] { run(command); });
        buttons->addWidget(button, i / 2, i % 2);
    }
    layout->addLayout(buttons);
    return panel;
}

QWidget* CcxEditorWindow::createLevelPanel() {
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    auto& shown = m_editor.shown();

    m_levelNumber = named<QLabel>("curLevNum", panel);
    m_title = named<QLineEdit>("levelTitle", panel);
    m_author = named<QLineEdit>("levelAuthor", panel);
    // Only typing reaches here; a title set from the model has run Title Edit there.
    connect(m_title, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_editor.titleEdit(toBytes(text)); });
    bindText(*m_author, shown.author);

    grid->addWidget(named<QLabel>("Label6", "Level number:", panel), 0, 0);
    grid->addWidget(m_levelNumber, 0, 1);
    grid->addWidget(named<QLabel>("Label7", "Level title:", panel), 1, 0);
    grid->addWidget(m_title, 1, 1);
    grid->addWidget(named<QLabel>("Label8", "Level author:", panel), 2, 0);
    grid->addWidget(m_author, 2, 1);
    grid->addWidget(named<QLabel>("Label9", "Level compatibility:", panel), 3, 0, Qt::AlignTop);
    auto* frames = new QHBoxLayout;
    frames->addWidget(
        choiceFrame("MS", "levelMsYes", "levelMsNo", "levelMsIg", m_levelMs, shown.ms));
    frames->addWidget(
        choiceFrame("Lynx", "levelLxYes", "levelLxNo", "levelLxIg", m_levelLynx, shown.lynx));
    frames->addWidget(choiceFrame("Pedantic", "levelPedYes", "levelPedNo", "levelPedIg",
                                  m_levelPedantic, shown.pedantic));
    frames->addStretch(1);
    grid->addLayout(frames, 3, 1);
    grid->setColumnStretch(1, 1);
    return panel;
}

QWidget* CcxEditorWindow::createPagePanel() {
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    // The two panes are options of their own, apart from the compatibility ones.
    auto* panes = new QWidget(panel);
    auto* paneRow = new QHBoxLayout(panes);
    paneRow->setContentsMargins(0, 0, 0, 0);
    m_prologue = named<QRadioButton>("prologue", "Prologue", panes);
    m_epilogue = named<QRadioButton>("epilogue", "Epilogue", panes);
    paneRow->addWidget(m_prologue);
    paneRow->addWidget(m_epilogue);
    for (auto [button, pane] :
         {std::pair{m_prologue, CcxPane::Prologue}, {m_epilogue, CcxPane::Epilogue}}) {
        // A press (also on the option already chosen) runs Choose Pane; so do
        // Space and the arrow keys, which press the option they choose.
        connect(button, &QRadioButton::pressed, this, [this, pane = pane] { choosePane(pane); });
    }

    auto* pageLeft = named<QPushButton>("pageLeft", "<", panel);
    auto* pageRight = named<QPushButton>("pageRight", ">", panel);
    m_pageNumber = named<QLabel>("pageNum", panel);
    m_pageNumber->setAlignment(Qt::AlignCenter);
    m_pageNumber->setMinimumWidth(90);
    auto* addPage = named<QPushButton>("addPage", "Add Page", panel);
    auto* deletePage = named<QPushButton>("deletePage", "Delete Page", panel);
    const std::pair<QPushButton*, CommandResult (CcxEditor::*)()> commands[] = {
        {pageLeft, &CcxEditor::previousPage},
        {pageRight, &CcxEditor::nextPage},
        {addPage, &CcxEditor::addPage},
        {deletePage, &CcxEditor::deletePage}};
    for (const auto& [button, command] : commands)
        connect(button, &QPushButton::clicked, this, [this, command = command] { run(command); });
    for (auto* button : {pageLeft, pageRight})
        button->setMaximumWidth(button->minimumSizeHint().width());

    auto* pageRow = new QHBoxLayout;
    pageRow->addWidget(panes);
    pageRow->addSpacing(16);
    pageRow->addWidget(pageLeft);
    pageRow->addWidget(m_pageNumber);
    pageRow->addWidget(pageRight);
    pageRow->addSpacing(16);
    pageRow->addWidget(addPage);
    pageRow->addWidget(deletePage);
    pageRow->addStretch(1);
    layout->addLayout(pageRow);

    // The page's HTML source, and beside it the page as a player sees it.
    auto* splitter = named<QSplitter>("pageSplitter", panel);
    m_pageText = named<QPlainTextEdit>("thePage", splitter);
    m_pageText->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_preview = named<QTextBrowser>("pagePreview", splitter);
    m_preview->setOpenLinks(false);
    m_preview->setFocusPolicy(Qt::NoFocus);
    splitter->addWidget(m_pageText);
    splitter->addWidget(m_preview);
    splitter->setChildrenCollapsible(false);
    layout->addWidget(splitter, 1);
    connect(m_pageText, &QPlainTextEdit::textChanged, this, [this] {
        m_editor.shown().pageText = pageTextFromBox(m_pageText->toPlainText());
        showPreview();
    });

    m_ownColors = named<QCheckBox>("Check2", "Set colors for this page only", panel);
    connect(m_ownColors, &QCheckBox::toggled, this, [this](bool checked) {
        m_editor.shown().pageHasOwnColors = checked;
        showPreview();
    });
    m_pageSample = colorSample(panel, "colorLabel");
    auto* bgColor = named<QPushButton>("bgColor", "Background", panel);
    auto* fontColor = named<QPushButton>("fontColor", "Font", panel);
    connect(bgColor, &QPushButton::clicked, this, [this] { run(&CcxEditor::choosePageBackColor); });
    connect(fontColor, &QPushButton::clicked, this,
            [this] { run(&CcxEditor::choosePageFontColor); });
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(m_ownColors);
    colorRow->addWidget(m_pageSample);
    colorRow->addWidget(bgColor);
    colorRow->addWidget(fontColor);
    colorRow->addStretch(1);
    layout->addLayout(colorRow);
    return panel;
}

void CcxEditorWindow::connectList() {
    m_levelModel = new ObservedListModel(
        [this] { return static_cast<int>(m_editor.levelList().size()); },
        [this](int row) { return m_editor.entryText(static_cast<std::size_t>(row)); }, this);
    m_editor.setListObserver(m_levelModel);
    m_levelList->setModel(m_levelModel);
    connect(m_levelList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                // The list follows the model while a command runs; only the
                // user's own choice of an entry selects a level.
                if (m_commands.running() || !current.isValid())
                    return;
                const auto row = static_cast<std::size_t>(current.row());
                if (row != m_editor.selectedEntry())
                    m_commands.run([this, row] { return m_editor.selectEntry(row); });
            });
}

void CcxEditorWindow::run(CommandResult (CcxEditor::*command)()) {
    m_commands.run([this, command] { return (m_editor.*command)(); });
}

void CcxEditorWindow::choosePane(CcxPane pane) {
    const auto result = m_commands.run([this, pane] { return m_editor.choosePane(pane); });
    // A choice by arrow key moves the focus to the option after this has
    // run; the page (or "Add Page") takes it again once that is done.
    QTimer::singleShot(0, this, [this, result] { applyResult(*this, result); });
}

void CcxEditorWindow::openFile(const std::string& path) {
    m_commands.run([this, &path] { return m_editor.openFile(path); });
}

void CcxEditorWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_startedUp)
        return;
    m_startedUp = true;
    // Asked once the window is on screen, so the question stands in front of it.
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && !m_editor.documentOpen())
            run(&CcxEditor::startUp);
    });
}

void CcxEditorWindow::closeEvent(QCloseEvent* event) {
    if (m_commands.run([this] { return m_editor.exit(); }).done)
        event->accept();
    else
        event->ignore();
}

void CcxEditorWindow::redraw() {
    const auto& document = m_editor.document();
    const auto& shown = m_editor.shown();
    const bool open = m_editor.documentOpen();

    m_fileName->setText(open ? "File Name: " + pathText(document.fileName) : "File Name:");
    m_save->setEnabled(open);
    showText(*m_description, document.description);
    showText(*m_setAuthor, document.author);
    const auto showChoice = [](const ChoiceButtons& buttons, CompatChoice choice) {
        check(*buttons.yes, choice == CompatChoice::Yes);
        check(*buttons.no, choice == CompatChoice::No);
        check(*buttons.ignore, choice == CompatChoice::Ignore);
    };
    showChoice(m_setMs, document.msChoice);
    showChoice(m_setLynx, document.lynxChoice);
    showChoice(m_setPedantic, document.pedanticChoice);
    check(*m_defaultColors, document.hasDefaultColors);
    showColors(*m_defaultSample, document.defaultBackColor, document.defaultFontColor);

    const auto selected = m_editor.selectedEntry();
    auto* selection = m_levelList->selectionModel();
    if (!selected) {
        selection->clear();
    } else if (selection->currentIndex().row() != static_cast<int>(*selected) ||
               !selection->hasSelection()) {
        const auto index = m_levelModel->index(static_cast<int>(*selected));
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        m_levelList->scrollTo(index);
    }

    const int number = m_editor.shownLevelNumber();
    m_levelNumber->setText(number > 0 ? QString::number(number) : QString());
    showText(*m_title, shown.title);
    showText(*m_author, shown.author);
    showChoice(m_levelMs, shown.ms);
    showChoice(m_levelLynx, shown.lynx);
    showChoice(m_levelPedantic, shown.pedantic);

    check(*m_prologue, shown.pane == CcxPane::Prologue);
    check(*m_epilogue, shown.pane == CcxPane::Epilogue);
    m_pageNumber->setText(
        QStringLiteral("Page %1 of %2").arg(shown.pageNumber).arg(shown.pageCount));
    const QString pageText = pageTextForBox(shown.pageText);
    if (m_pageText->toPlainText() != pageText) {
        // The model already holds this text; only the box changes.
        const QSignalBlocker blocker(m_pageText);
        m_pageText->setPlainText(pageText);
    }
    m_pageText->setEnabled(shown.pageEditable);
    check(*m_ownColors, shown.pageHasOwnColors);
    showColors(*m_pageSample, shown.pageBackColor, shown.pageFontColor);
    showPreview();
}

void CcxEditorWindow::showPreview() {
    const auto& document = m_editor.document();
    const auto& shown = m_editor.shown();
    // The page's own colours, else the set's, else the window's.
    QPalette palette = this->palette();
    if (shown.pageHasOwnColors || document.hasDefaultColors) {
        const bool own = shown.pageHasOwnColors;
        palette.setColor(QPalette::Base,
                         toQColor(own ? shown.pageBackColor : document.defaultBackColor));
        palette.setColor(QPalette::Text,
                         toQColor(own ? shown.pageFontColor : document.defaultFontColor));
    }
    if (m_preview->palette() != palette)
        m_preview->setPalette(palette);
    // Laid out again only when the page changed.
    const QString html = shown.pageEditable ? fromBytes(shown.pageText) : QString();
    if (html != m_previewHtml) {
        m_previewHtml = html;
        m_preview->setHtml(html);
    }
}

} // namespace tessaro
