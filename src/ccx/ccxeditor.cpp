#include "ccx/ccxeditor.h"

#include "ccx/ccxreader.h"
#include "ccx/ccxwriter.h"
#include "ccx/levelentrytext.h"
#include "ccx/tabulinreport.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "common/safewriter.h"
#include "common/textfile.h"

#include <algorithm>
#include <filesystem>

namespace tessaro {

namespace {

std::string readErrorMessage(const std::string& fileName, const ReadError& error) {
    if (error.fileUnreadable())
        return "Error - the file \"" + fileName + "\" cannot be read.";
    return "Error in line " + std::to_string(error.line) + " of \"" + fileName +
           "\": " + error.problem + ". The file was not opened.";
}

std::string repeatedLevelsMessage(const std::vector<CcxRepeatedLevel>& repeated) {
    std::string text;
    for (const auto& level : repeated) {
        text += "Level " + std::to_string(level.number) + " is named in line " +
                std::to_string(level.earlierLine) + " and again in line " +
                std::to_string(level.laterLine) + ".\n";
    }
    return text + "Such a level keeps the title, author and compatibility of its last line, "
                  "and the pages of all of them.";
}

} // namespace

CcxEditor::CcxEditor(Platform& platform) : m_platform(platform) {}

void CcxEditor::tell(const std::string& text) {
    m_platform.tell(text, kCcxEditorCaption, MessageIcon::Exclamation);
}

// The level list ---------------------------------------------------------------

std::string CcxEditor::entryText(int position) const {
    const auto& entry = m_levelList[static_cast<std::size_t>(position)];
    return levelEntryText(entry.number, entry.title);
}

void CcxEditor::notify(void (ListObserver::*change)(int, int), int first, int last) {
    if (m_observer)
        (m_observer->*change)(first, last);
}

void CcxEditor::insertEntry(int position, CcxListEntry entry) {
    notify(&ListObserver::rowsAboutToBeInserted, position, position);
    m_levelList.insert(m_levelList.begin() + position, std::move(entry));
    if (m_selected >= position)
        ++m_selected;
    notify(&ListObserver::rowsInserted, position, position);
}

void CcxEditor::removeEntry(int position) {
    notify(&ListObserver::rowsAboutToBeRemoved, position, position);
    m_levelList.erase(m_levelList.begin() + position);
    if (m_selected == position)
        m_selected = -1;
    else if (m_selected > position)
        --m_selected;
    notify(&ListObserver::rowsRemoved, position, position);
}

void CcxEditor::setEntryTitle(int position, std::string title) {
    m_levelList[static_cast<std::size_t>(position)].title = std::move(title);
    notify(&ListObserver::rowsChanged, position, position);
}

void CcxEditor::replaceList(std::vector<CcxListEntry> entries) {
    if (m_observer)
        m_observer->listAboutToBeReset();
    m_levelList = std::move(entries);
    m_selected = -1;
    if (m_observer)
        m_observer->listReset();
}

int CcxEditor::positionOfLevel(int number) const {
    const auto found = std::lower_bound(
        m_levelList.begin(), m_levelList.end(), number,
        [](const CcxListEntry& entry, int wanted) { return entry.number < wanted; });
    return found != m_levelList.end() && found->number == number
               ? static_cast<int>(found - m_levelList.begin())
               : -1;
}

void CcxEditor::selectEntry(int position) {
    if (position >= 0 && position < static_cast<int>(m_levelList.size()))
        select(position, true);
}

void CcxEditor::select(int position, bool store) {
    if (!store)
        m_document.skipNextLevelStore = true;
    m_selected = position;
    showLevel();
}

void CcxEditor::titleEdit(std::string title) {
    m_shown.title = std::move(title);
    if (m_selected >= 0 && m_selected < static_cast<int>(m_levelList.size()))
        setEntryTitle(m_selected, m_shown.title);
}

void CcxEditor::updateLevelCount() {
    m_document.levelCount = m_levelList.empty() ? 0 : m_levelList.back().number;
}

void CcxEditor::shiftEntries(int first, int last, int delta) {
    if (first > last)
        return;
    std::vector<std::int16_t> oldNumbers;
    oldNumbers.reserve(static_cast<std::size_t>(last - first + 1));
    // Upwards from the last entry, downwards from the first, so no level is
    // overwritten before it has moved. Every level moved from is either moved
    // into afterwards or cleared below.
    for (int step = 0; step <= last - first; ++step) {
        const int position = delta > 0 ? last - step : first + step;
        auto& entry = m_levelList[static_cast<std::size_t>(position)];
        oldNumbers.push_back(entry.number);
        auto& moved = m_document.level(entry.number + delta);
        moved = std::move(m_document.level(entry.number));
        entry.number = static_cast<std::int16_t>(entry.number + delta);
        entry.title = moved.title;
    }
    // A number the shift left behind would otherwise be saved as a second
    // copy of the level that moved away.
    for (const int number : oldNumbers) {
        if (positionOfLevel(number) < 0)
            m_document.level(number).clear();
    }
    notify(&ListObserver::rowsChanged, first, last);
}

// Showing and storing ----------------------------------------------------------

void CcxEditor::resetDocument() {
    m_document.reset();
    m_shown.pageHasOwnColors = false;
    m_shown.pane = CcxPane::Prologue;
    m_shown.pageText.clear();
}

CcxPageList& CcxEditor::shownPane() {
    return m_document.level(m_document.currentLevel).pane(m_shown.pane);
}

void CcxEditor::showPage(int page, CcxPane pane) {
    if (page < 1 || page > kMaxCcxPages || !CcxDocument::isLevelNumber(m_document.currentLevel)) {
        m_shown.pageNumber = 1;
        m_shown.pageCount = 0;
        m_shown.pageText.clear();
        m_shown.pageEditable = false;
        m_shown.pageHasOwnColors = false;
        return;
    }
    const auto& list = m_document.level(m_document.currentLevel).pane(pane);
    const auto& shown = list.page(page);
    m_shown.pageHasOwnColors = shown.hasOwnColors == 1;
    if (m_shown.pageHasOwnColors) {
        m_shown.pageBackColor = shown.backColor;
        m_shown.pageFontColor = shown.fontColor;
    }
    m_shown.pageText = shown.text;
    m_shown.pageNumber = page;
    m_shown.pageCount = list.count;
    m_shown.pageEditable = list.count != 0;
}

void CcxEditor::storeShownPage() {
    if (!CcxDocument::isLevelNumber(m_document.currentLevel))
        return;
    auto& list = shownPane();
    const int page = m_shown.pageNumber;
    // Pages beyond the count stay empty.
    if (list.count == 0 || page < 1 || page > list.count)
        return;
    auto& stored = list.page(page);
    stored.hasOwnColors = m_shown.pageHasOwnColors ? 1 : 0;
    if (m_shown.pageHasOwnColors) {
        stored.backColor = m_shown.pageBackColor;
        stored.fontColor = m_shown.pageFontColor;
    }
    stored.text = m_shown.pageText;
}

void CcxEditor::storeShownLevel() {
    storeShownPage();
    if (!CcxDocument::isLevelNumber(m_document.currentLevel))
        return;
    auto& level = m_document.level(m_document.currentLevel);
    level.title = m_shown.title;
    level.author = m_shown.author;
    level.compatAttributes = buildCompatAttributes();
}

std::string CcxEditor::buildCompatAttributes() const {
    return formatCompatAttributes(m_shown.ms, m_shown.lynx, m_shown.pedantic);
}

void CcxEditor::showLevel() {
    if (m_document.skipNextLevelStore)
        m_document.skipNextLevelStore = false;
    else
        storeShownLevel();
    if (m_selected < 0 || m_selected >= static_cast<int>(m_levelList.size()))
        return;
    const int number = m_levelList[static_cast<std::size_t>(m_selected)].number;
    if (!CcxDocument::isLevelNumber(number))
        return;

    m_document.currentLevel = static_cast<std::int16_t>(number);
    m_shownLevelNumber = number;
    const auto& level = m_document.level(number);
    titleEdit(level.title);
    m_shown.author = level.author;
    m_shown.ms = readCompatChoice(level.compatAttributes, "ms");
    m_shown.lynx = readCompatChoice(level.compatAttributes, "lynx");
    m_shown.pedantic = readCompatChoice(level.compatAttributes, "pedantic");

    const auto& first = level.prologue.page(1);
    m_shown.pageNumber = 1;
    m_shown.pageCount = level.prologue.count;
    m_shown.pageEditable = level.prologue.count != 0;
    m_shown.pageHasOwnColors = first.hasOwnColors == 1;
    if (m_shown.pageHasOwnColors) {
        m_shown.pageFontColor = first.fontColor;
        m_shown.pageBackColor = first.backColor;
    }
    m_shown.pageText = first.text;
    m_shown.pane = CcxPane::Prologue;
}

void CcxEditor::installDocument(CcxDocument document, const std::vector<std::int16_t>& listed) {
    m_document = std::move(document);
    m_shown.pageHasOwnColors = false;
    m_shown.pane = CcxPane::Prologue;
    m_shown.pageText.clear();
    std::vector<CcxListEntry> entries;
    entries.reserve(listed.size());
    for (const auto number : listed)
        entries.push_back({number, m_document.level(number).title});
    replaceList(std::move(entries));
    if (!m_levelList.empty())
        select(0, false);
}

// New, Open, Save, Exit --------------------------------------------------------

void CcxEditor::startUp() {
    resetDocument();
    const auto answer =
        m_platform.message("Do you want to start a new CCX file?", kCcxEditorCaption,
                           MessageIcon::Question, MessageButtons::YesNo);
    if (answer == MessageAnswer::Yes)
        newFile();
    else
        open();
}

void CcxEditor::newFile() {
    if (!confirmSaveChanges())
        return;
    const auto answer =
        m_platform.lineInput("Enter the number of levels in the level set:", "New CCX File");
    if (!answer || answer->empty())
        return;
    const auto count = toInt16(*answer);
    if (!count || !CcxDocument::isLevelNumber(*count)) {
        tell("Error - invalid number of levels");
        return;
    }
    // Asks before replacing a file: the first Save would destroy whatever
    // file the user clicked by mistake.
    const auto choice =
        m_platform.saveFileDialog("Select Location to Save CCX File", "CCX Files|*.ccx", {}, true);
    if (!choice || choice->path.empty())
        return;

    resetDocument();
    m_document.fileName = choice->path;
    m_document.levelCount = *count;
    std::vector<CcxListEntry> entries;
    entries.reserve(static_cast<std::size_t>(*count));
    for (std::int16_t number = 1; number <= *count; ++number)
        entries.push_back({number, {}});
    replaceList(std::move(entries));
    m_document.currentLevel = 1;
    select(0, false);
}

void CcxEditor::open() {
    const auto choice = m_platform.openFileDialog("Open CCX File for Editing", "CCX Files|*.ccx");
    if (choice && !choice->path.empty())
        openFile(choice->path);
}

void CcxEditor::openFile(const std::string& path) {
    if (!confirmSaveChanges())
        return;

    CcxDocument fresh;
    // The set's colour sample keeps its colours when the file has no colours line.
    fresh.defaultBackColor = m_document.defaultBackColor;
    fresh.defaultFontColor = m_document.defaultFontColor;
    auto result = readCcxFile(toPath(path), std::move(fresh));
    if (!result.ok()) {
        tell(readErrorMessage(path, result.error()));
        return;
    }
    auto& contents = *result;
    contents.document.fileName = path;
    installDocument(std::move(contents.document), contents.levelNumbers);
    if (!contents.repeatedLevels.empty())
        tell(repeatedLevelsMessage(contents.repeatedLevels));
}

bool CcxEditor::save() {
    if (!documentOpen())
        return false;
    storeShownLevel();
    const auto path = toPath(m_document.fileName);
    if (isReadOnlyFile(path) || !writeCcxFile(path, m_document)) {
        tell("Error - cannot save \"" + m_document.fileName + "\". The file on disk is unchanged.");
        return false;
    }
    return true;
}

bool CcxEditor::confirmSaveChanges() {
    if (!documentOpen())
        return true;
    const auto answer =
        m_platform.message("Save changes to " + m_document.fileName + "?", kCcxEditorCaption,
                           MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes)
        return save();
    return answer == MessageAnswer::No;
}

CommandResult CcxEditor::exit() {
    return confirmSaveChanges() ? CommandResult::succeeded() : CommandResult::failed();
}

// Level list operations --------------------------------------------------------

bool CcxEditor::refuseInsertAtLimit() {
    // The highest number, not the number of entries, is what runs out.
    if (m_document.levelCount < kMaxCcxLevels)
        return false;
    tell("Error - there are already 999 levels in this set");
    return true;
}

bool CcxEditor::refuseDeleteOfOnlyLevel() {
    if (m_levelList.size() != 1)
        return false;
    tell("Error - must have at least one level");
    return true;
}

void CcxEditor::insertAfter() {
    if (!documentOpen() || m_selected < 0 || refuseInsertAtLimit())
        return;
    const int position = m_selected;
    const int number = m_levelList[static_cast<std::size_t>(position)].number;
    const bool gapFollows =
        position + 1 >= static_cast<int>(m_levelList.size()) ||
        m_levelList[static_cast<std::size_t>(position) + 1].number != number + 1;
    insertEntry(position + 1, {static_cast<std::int16_t>(number + 1), {}});
    if (!gapFollows)
        shiftEntries(position + 2, static_cast<int>(m_levelList.size()) - 1, +1);
    m_document.level(number + 1).clear();
    updateLevelCount();
}

void CcxEditor::insertBefore() {
    if (!documentOpen() || m_selected < 0 || refuseInsertAtLimit())
        return;
    const int position = m_selected;
    const int number = m_levelList[static_cast<std::size_t>(position)].number;
    const int previous =
        position > 0 ? m_levelList[static_cast<std::size_t>(position) - 1].number : 0;
    if (number - previous != 1) {
        // Into the gap below: nothing moves and the selection stays as it is.
        insertEntry(position, {static_cast<std::int16_t>(number - 1), {}});
        m_document.level(number - 1).clear();
    } else {
        insertEntry(position, {static_cast<std::int16_t>(number), {}});
        shiftEntries(m_selected, static_cast<int>(m_levelList.size()) - 1, +1);
        m_document.level(number).clear();
        // The shown fields belong to the selected level, now one number up.
        m_document.currentLevel = static_cast<std::int16_t>(number + 1);
        select(m_selected, true);
    }
    updateLevelCount();
}

int CcxEditor::removeSelectedLevel() {
    if (!documentOpen() || m_selected < 0 || refuseDeleteOfOnlyLevel())
        return -1;
    m_document.level(m_document.currentLevel).clear();
    const int position = m_selected;
    const bool wasLast = position == static_cast<int>(m_levelList.size()) - 1;
    select(wasLast ? position - 1 : position + 1, false);
    removeEntry(position);
    return position;
}

void CcxEditor::deleteLevel() {
    if (removeSelectedLevel() >= 0)
        updateLevelCount();
}

void CcxEditor::deleteAndRenumber() {
    const int position = removeSelectedLevel();
    if (position < 0)
        return;
    // The entries after it move down one number, and the one now at its place is shown.
    if (position < static_cast<int>(m_levelList.size())) {
        shiftEntries(position, static_cast<int>(m_levelList.size()) - 1, -1);
        m_document.currentLevel = m_levelList[static_cast<std::size_t>(position)].number;
        select(position, true);
    }
    updateLevelCount();
}

void CcxEditor::moveUp() {
    if (documentOpen() && m_selected > 0)
        swapWithNeighbour(m_selected - 1);
}

void CcxEditor::moveDown() {
    if (documentOpen() && m_selected >= 0 && m_selected < static_cast<int>(m_levelList.size()) - 1)
        swapWithNeighbour(m_selected + 1);
}

void CcxEditor::swapWithNeighbour(int neighbour) {
    const int position = m_selected;
    const int a = m_levelList[static_cast<std::size_t>(position)].number;
    const int b = m_levelList[static_cast<std::size_t>(neighbour)].number;
    std::swap(m_document.level(a), m_document.level(b));
    setEntryTitle(position, m_document.level(a).title);
    setEntryTitle(neighbour, m_document.level(b).title);
    // The shown fields, edits included, go with the moved level to b.
    m_document.currentLevel = static_cast<std::int16_t>(b);
    select(neighbour, true);
}

// Pages and colours ------------------------------------------------------------

CommandResult CcxEditor::choosePane(CcxPane pane) {
    if (!documentOpen() || !CcxDocument::isLevelNumber(m_document.currentLevel))
        return CommandResult::failed();
    // Stored into the pane shown until now.
    storeShownPage();
    const int count = m_document.level(m_document.currentLevel).pane(pane).count;
    showPage(1, pane); // "Page 1 of 0" and a disabled page for an empty pane
    m_shown.pane = pane;
    return {count > 0 ? "thePage" : "addPage", true};
}

void CcxEditor::previousPage() {
    if (!documentOpen() || m_shown.pageNumber <= 1)
        return;
    storeShownPage();
    showPage(m_shown.pageNumber - 1, m_shown.pane);
}

void CcxEditor::nextPage() {
    if (!documentOpen() || m_shown.pageNumber >= shownPane().count)
        return;
    storeShownPage();
    showPage(m_shown.pageNumber + 1, m_shown.pane);
}

void CcxEditor::addPage() {
    if (!documentOpen())
        return;
    auto& list = shownPane();
    if (list.count >= kMaxCcxPages) {
        tell(m_shown.pane == CcxPane::Prologue ? "You can only have 10 pages in the prologue."
                                               : "You can only have 10 pages in the epilogue.");
        return;
    }
    // The new last page is already empty: pages beyond the count always are.
    ++list.count;
    m_shown.pageCount = list.count;
    m_shown.pageEditable = true;
}

void CcxEditor::deletePage() {
    if (!documentOpen())
        return;
    auto& list = shownPane();
    const int count = list.count;
    if (count == 0) {
        tell("Error - there are no pages to delete.");
        return;
    }
    const auto answer =
        m_platform.message("Are you sure you want to delete this page?", kCcxEditorCaption,
                           MessageIcon::Question, MessageButtons::YesNo);
    int page = m_shown.pageNumber;
    if (answer != MessageAnswer::Yes)
        return;
    // The shown page goes with its unstored edits; the later pages move down.
    for (int i = page; i < count; ++i)
        list.page(i) = list.page(i + 1);
    list.page(count).hasOwnColors = 0;
    list.page(count).text.clear();
    list.count = static_cast<std::uint8_t>(count - 1);
    if (page > list.count)
        --page;
    showPage(page, m_shown.pane);
}

void CcxEditor::chooseColor(const char* title, ColorValue& color, bool& tick) {
    const auto chosen = m_platform.colorDialog(title);
    if (!chosen)
        return;
    color = *chosen;
    tick = true;
}

void CcxEditor::choosePageBackColor() {
    chooseColor("Set Page Background Color", m_shown.pageBackColor, m_shown.pageHasOwnColors);
}

void CcxEditor::choosePageFontColor() {
    chooseColor("Set Page Font Color", m_shown.pageFontColor, m_shown.pageHasOwnColors);
}

void CcxEditor::chooseDefaultBackColor() {
    chooseColor("Set Default Page Background Color", m_document.defaultBackColor,
                m_document.hasDefaultColors);
}

void CcxEditor::chooseDefaultFontColor() {
    chooseColor("Set Default Page Font Color", m_document.defaultFontColor,
                m_document.hasDefaultColors);
}

// Title import -----------------------------------------------------------------

void CcxEditor::importTitles() {
    if (!documentOpen() || !CcxDocument::isLevelNumber(m_document.currentLevel))
        return;
    const auto choice = m_platform.openFileDialog("Import Titles from Tabulin Text File",
                                                  "Tabulin Text Output Files (.txt)|*.txt");
    if (!choice || choice->path.empty())
        return;
    // An unreadable file counts as one whose first two lines are empty.
    const auto report = readTabulinReport(readFileBytes(toPath(choice->path)).value_or(""));
    if (!report) {
        tell("Error - invalid Tabulin text file");
        return;
    }
    const bool overwrite =
        m_platform.message("Overwrite any existing titles?", kCcxEditorCaption,
                           MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes;

    for (const auto& line : *report) {
        auto& level = m_document.level(line.number);
        if (!level.title.empty() && !overwrite)
            continue;
        if (!line.title)
            break;
        level.title = *line.title;
        if (const int position = positionOfLevel(line.number); position >= 0)
            setEntryTitle(position, level.title);
    }
    // A title typed but not stored wins when the stored ones are kept.
    if (m_shown.title.empty() || overwrite)
        titleEdit(m_document.level(m_document.currentLevel).title);
}

} // namespace tessaro
