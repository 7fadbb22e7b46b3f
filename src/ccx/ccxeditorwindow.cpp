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

template <typename T> T* named(T* widget, const char* objectName) {
    widget->setObjectName(objectName);
    return widget;
}

QLabel* label(QWidget* parent, const char* objectName, const QString& text) {
    return named(new QLabel(text, parent), objectName);
}

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
    auto* sample = label(parent, objectName, "Color");
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
    m_fileName = label(central, "Label1", "File Name:");
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
    showState();
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
    add("menuNew", "New", "Ctrl+N", [this] { run([this] { m_editor.newFile(); }); });
    add("menuOpen", "Open", "Ctrl+O", [this] { run([this] { m_editor.open(); }); });
    m_save = add("menuSave", "Save", "Ctrl+S", [this] { run([this] { m_editor.save(); }); });
    file->addSeparator();
    add("menuExit", "Exit", nullptr, [this] { close(); });
}

QWidget* CcxEditorWindow::choiceFrame(const QString& title, const char* yes, const char* no,
                                      const char* ignore, ChoiceButtons& buttons,
                                      CompatChoice& choice) {
    auto* frame = new QGroupBox(title);
    auto* column = new QVBoxLayout(frame);
    column->setSpacing(2);
    buttons = {named(new QRadioButton("Yes", frame), yes), named(new QRadioButton("No", frame), no),
               named(new QRadioButton("Ignore", frame), ignore)};
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

    m_description = named(new QLineEdit(panel), "setDescription");
    m_setAuthor = named(new QLineEdit(panel), "setAuthor");
    bindText(*m_description, document.description);
    bindText(*m_setAuthor, document.author);
    grid->addWidget(label(panel, "Label2", "Set name:"), 0, 0);
    grid->addWidget(m_description, 0, 1);
    grid->addWidget(label(panel, "Label3", "Set author:"), 1, 0);
    grid->addWidget(m_setAuthor, 1, 1);

    grid->addWidget(label(panel, "Label4", "Set compatibility:"), 2, 0, 1, 2);
    auto* frames = new QHBoxLayout;
    frames->addWidget(choiceFrame("MS", "msYes", "msNo", "msIgnore", m_setMs, document.msChoice));
    frames->addWidget(
        choiceFrame("Lynx", "lynxYes", "lynxNo", "lynxIgnore", m_setLynx, document.lynxChoice));
    frames->addWidget(choiceFrame("Pedantic", "pedYes", "pedNo", "pedIgnore", m_setPedantic,
                                  document.pedanticChoice));
    grid->addLayout(frames, 3, 0, 1, 2);

    m_defaultColors = named(new QCheckBox("Set default colors", panel), "Check1");
    connect(m_defaultColors, &QCheckBox::toggled, this, [this](bool checked) {
        m_editor.document().hasDefaultColors = checked;
        showPreview();
    });
    m_defaultSample = colorSample(panel, "colorSetLabel");
    auto* bgColorSet = namedButton(panel, "bgColorSet", "Background");
    auto* fontColorSet = namedButton(panel, "fontColorSet", "Font");
    connect(bgColorSet, &QPushButton::clicked, this,
            [this] { run([this] { m_editor.chooseDefaultBackColor(); }); });
    connect(fontColorSet, &QPushButton::clicked, this,
            [this] { run([this] { m_editor.chooseDefaultFontColor(); }); });
    auto* colors = new QHBoxLayout;
    colors->addWidget(m_defaultSample);
    colors->addWidget(bgColorSet);
    colors->addWidget(fontColorSet);
    grid->addWidget(m_defaultColors, 4, 0, 1, 2);
    grid->addLayout(colors, 5, 0, 1, 2);

    auto* importList = namedButton(panel, "importList", "Import Titles");
    connect(importList, &QPushButton::clicked, this,
            [this] { run([this] { m_editor.importTitles(); }); });
    grid->addWidget(importList, 6, 0, 1, 2);
    return panel;
}

QWidget* CcxEditorWindow::createListPanel() {
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_levelList = named(new QListView(panel), "levelList");
    m_levelList->setUniformItemSizes(true);
    m_levelList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_levelList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* caption = label(panel, "Label5", "List of levels:");
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
    void (CcxEditor::*const commands[])() = {
        &CcxEditor::insertBefore,      &CcxEditor::insertAfter, &CcxEditor::deleteLevel,
        &CcxEditor::deleteAndRenumber, &CcxEditor::moveUp,      &CcxEditor::moveDown};
    for (int i = 0; i < 6; ++i) {
        auto* button = namedButton(panel, names[i].first, names[i].second);
        connect(button, &QPushButton::clicked, this,
                [this, command = commands[i]] { run([this, command] { (m_editor.*command)(); }); });
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

    m_levelNumber = label(panel, "curLevNum", {});
    m_title = named(new QLineEdit(panel), "levelTitle");
    m_author = named(new QLineEdit(panel), "levelAuthor");
    // Only typing reaches here; a title set from the model has run Title Edit there.
    connect(m_title, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_editor.titleEdit(toBytes(text)); });
    bindText(*m_author, shown.author);

    grid->addWidget(label(panel, "Label6", "Level number:"), 0, 0);
    grid->addWidget(m_levelNumber, 0, 1);
    grid->addWidget(label(panel, "Label7", "Level title:"), 1, 0);
    grid->addWidget(m_title, 1, 1);
    grid->addWidget(label(panel, "Label8", "Level author:"), 2, 0);
    grid->addWidget(m_author, 2, 1);
    grid->addWidget(label(panel, "Label9", "Level compatibility:"), 3, 0, Qt::AlignTop);
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
    m_prologue = named(new QRadioButton("Prologue", panes), "prologue");
    m_epilogue = named(new QRadioButton("Epilogue", panes), "epilogue");
    paneRow->addWidget(m_prologue);
    paneRow->addWidget(m_epilogue);
    for (auto [button, pane] :
         {std::pair{m_prologue, CcxPane::Prologue}, {m_epilogue, CcxPane::Epilogue}}) {
        // A press (also on the option already chosen) runs Choose Pane; so do
        // Space and the arrow keys, which press the option they choose.
        connect(button, &QRadioButton::pressed, this, [this, pane = pane] { choosePane(pane); });
    }

    auto* pageLeft = namedButton(panel, "pageLeft", "<");
    auto* pageRight = namedButton(panel, "pageRight", ">");
    m_pageNumber = label(panel, "pageNum", {});
    m_pageNumber->setAlignment(Qt::AlignCenter);
    m_pageNumber->setMinimumWidth(90);
    auto* addPage = namedButton(panel, "addPage", "Add Page");
    auto* deletePage = namedButton(panel, "deletePage", "Delete Page");
    const std::pair<QPushButton*, void (CcxEditor::*)()> commands[] = {
        {pageLeft, &CcxEditor::previousPage},
        {pageRight, &CcxEditor::nextPage},
        {addPage, &CcxEditor::addPage},
        {deletePage, &CcxEditor::deletePage}};
    for (const auto& [button, command] : commands)
        connect(button, &QPushButton::clicked, this,
                [this, command = command] { run([this, command] { (m_editor.*command)(); }); });
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
    auto* splitter = named(new QSplitter(panel), "pageSplitter");
    m_pageText = named(new QPlainTextEdit(splitter), "thePage");
    m_pageText->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_preview = named(new QTextBrowser(splitter), "pagePreview");
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

    m_ownColors = named(new QCheckBox("Set colors for this page only", panel), "Check2");
    connect(m_ownColors, &QCheckBox::toggled, this, [this](bool checked) {
        m_editor.shown().pageHasOwnColors = checked;
        showPreview();
    });
    m_pageSample = colorSample(panel, "colorLabel");
    auto* bgColor = namedButton(panel, "bgColor", "Background");
    auto* fontColor = namedButton(panel, "fontColor", "Font");
    connect(bgColor, &QPushButton::clicked, this,
            [this] { run([this] { m_editor.choosePageBackColor(); }); });
    connect(fontColor, &QPushButton::clicked, this,
            [this] { run([this] { m_editor.choosePageFontColor(); }); });
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
    m_levelModel =
        new ObservedListModel([this] { return static_cast<int>(m_editor.levelList().size()); },
                              [this](int row) { return m_editor.entryText(row); }, this);
    m_editor.setListObserver(m_levelModel);
    m_levelList->setModel(m_levelModel);
    connect(m_levelList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                // The list follows the model while a command runs; only the
                // user's own choice of an entry selects a level.
                if (m_running || !current.isValid() || current.row() == m_editor.selectedEntry())
                    return;
                run([this, row = current.row()] { m_editor.selectEntry(row); });
            });
}

void CcxEditorWindow::run(const std::function<void()>& command) {
    m_running = true;
    command();
    showState();
    m_running = false;
}

void CcxEditorWindow::choosePane(CcxPane pane) {
    CommandResult result;
    run([&] { result = m_editor.choosePane(pane); });
    // A choice by arrow key moves the focus to the option after this has
    // run; the page (or "Add Page") takes it once that is done.
    QTimer::singleShot(0, this, [this, result] { applyResult(*this, result); });
}

void CcxEditorWindow::openFile(const std::string& path) {
    run([this, &path] { m_editor.openFile(path); });
}

void CcxEditorWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_startedUp)
        return;
    m_startedUp = true;
    // Asked once the window is on screen, so the question stands in front of it.
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && !m_editor.documentOpen())
            run([this] { m_editor.startUp(); });
    });
}

void CcxEditorWindow::closeEvent(QCloseEvent* event) {
    CommandResult result;
    run([&] { result = m_editor.exit(); });
    if (result.done)
        event->accept();
    else
        event->ignore();
}

void CcxEditorWindow::showState() {
    const bool wasRunning = m_running;
    m_running = true;
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

    const int selected = m_editor.selectedEntry();
    auto* selection = m_levelList->selectionModel();
    if (selected < 0) {
        selection->clear();
    } else if (selection->currentIndex().row() != selected || !selection->hasSelection()) {
        const auto index = m_levelModel->index(selected);
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
    m_running = wasRunning;
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
