#include "ccx/ccxeditor.h"

#include "ccx/ccxreader.h"
#include "ccx/ccxwriter.h"
#include "ccx/levelentrytext.h"
#include "ccx/tabulinreport.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "common/safewriter.h"
#include "common/textfile.h"
#include "levelset/levelsetfile.h"
#include "levelset/levelsetreader.h"

#include <algorithm>
#include <filesystem>
#include <functional>

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

// "<file> has lines that Tessaro does not read (lines 12, 40 and 3 more). ..."
std::string unreadLinesMessage(const std::string& fileName, const std::vector<std::size_t>& lines) {
    constexpr std::size_t kNamed = 10;
    std::string text = fileName + " has lines that Tessaro does not read (line";
    text += lines.size() == 1 ? " " : "s ";
    for (std::size_t i = 0; i < lines.size() && i < kNamed; ++i)
        text += (i == 0 ? "" : ", ") + std::to_string(lines[i]);
    if (lines.size() > kNamed)
        text += " and " + std::to_string(lines.size() - kNamed) + " more";
    return text + "). They will not be kept when you save.";
}

// The number of levels of the set beside a new CCX file, as the default
// answer to how many levels it has; empty when there is no set, or one that
// is damaged or holds more levels than a CCX file can.
std::string levelCountBeside(const std::string& ccxPath) {
    const auto set = levelSetBeside(toPath(ccxPath));
    if (!set)
        return {};
    const auto read = readLevelSet(fromPath(*set));
    if (!read || !read->problems.empty() ||
        !CcxDocument::isLevelNumber(static_cast<int>(read->declaredLevelCount)))
        return {};
    return std::to_string(read->declaredLevelCount);
}

// The titles of a level set as the lines of a report: by level number, in
// file order, up to the first level whose number no CCX level has. A set the
// reader had to work around is refused, naming its first problem and where
// it is ("level 3 (offset 120): ...").
ReadResult<std::vector<TabulinLevelLine>> levelSetTitles(std::string_view bytes) {
    const auto set = parseLevelSet(bytes);
    if (!set) {
        const auto offset = set.error().offset.value_or(0);
        return ReadError::atOffset(offset,
                                   "offset " + std::to_string(offset) + ": " + set.error().problem);
    }
    if (!set->problems.empty()) {
        const auto& first = set->problems.front();
        return ReadError::atOffset(first.offset, "level " + std::to_string(first.level) +
                                                     " (offset " + std::to_string(first.offset) +
                                                     "): " + first.problem);
    }
    std::vector<TabulinLevelLine> lines;
    for (const auto& level : set->levels) {
        if (!CcxDocument::isLevelNumber(level.number))
            break;
        lines.push_back({level.number, level.title});
    }
    return lines;
}

} // namespace

CcxEditor::CcxEditor(Platform& platform) : m_platform(platform) {}

void CcxEditor::tell(const std::string& text) {
    m_platform.tell(text, kCcxEditorCaption, MessageIcon::Exclamation);
}

// The level list ---------------------------------------------------------------

std::string CcxEditor::entryText(std::size_t position) const {
    const auto& entry = m_levelList[position];
    return levelEntryText(entry.number, entry.title);
}

void CcxEditor::notify(void (ListObserver::*change)(int, int), std::size_t first,
                       std::size_t last) {
    if (m_observer)
        (m_observer->*change)(static_cast<int>(first), static_cast<int>(last));
}

void CcxEditor::insertEntry(std::size_t position, CcxListEntry entry) {
    notify(&ListObserver::rowsAboutToBeInserted, position, position);
    m_levelList.insert(m_levelList.begin() + static_cast<std::ptrdiff_t>(position),
                       std::move(entry));
    if (m_selected && *m_selected >= position)
        ++*m_selected;
    notify(&ListObserver::rowsInserted, position, position);
}

void CcxEditor::removeEntry(std::size_t position) {
    notify(&ListObserver::rowsAboutToBeRemoved, position, position);
    m_levelList.erase(m_levelList.begin() + static_cast<std::ptrdiff_t>(position));
    if (m_selected == position)
        m_selected.reset();
    else if (m_selected && *m_selected > position)
        --*m_selected;
    notify(&ListObserver::rowsRemoved, position, position);
}

void CcxEditor::setEntryTitle(std::size_t position, std::string title) {
    m_levelList[position].title = std::move(title);
    notify(&ListObserver::rowsChanged, position, position);
}

void CcxEditor::replaceList(std::vector<CcxListEntry> entries) {
    if (m_observer)
        m_observer->listAboutToBeReset();
    m_levelList = std::move(entries);
    m_selected.reset();
    if (m_observer)
        m_observer->listReset();
}

std::optional<std::size_t> CcxEditor::positionOfLevel(int number) const {
    const auto found = std::lower_bound(
        m_levelList.begin(), m_levelList.end(), number,
        [](const CcxListEntry& entry, int wanted) { return entry.number < wanted; });
    if (found == m_levelList.end() || found->number != number)
        return std::nullopt;
    return static_cast<std::size_t>(found - m_levelList.begin());
}

CommandResult CcxEditor::selectEntry(std::size_t position) {
    if (position >= m_levelList.size())
        return CommandResult::failed();
    select(position, true);
    return CommandResult::succeeded();
}

void CcxEditor::titleEdit(std::string title) {
    m_shown.title = std::move(title);
    if (m_selected && *m_selected < m_levelList.size())
        setEntryTitle(*m_selected, m_shown.title);
}

void CcxEditor::updateLevelCount() {
    m_document.levelCount = m_levelList.empty() ? 0 : m_levelList.back().number;
}

void CcxEditor::shiftEntries(std::size_t first, std::size_t last, int delta) {
    if (first > last)
        return;
    std::vector<std::int16_t> oldNumbers;
    oldNumbers.reserve(last - first + 1);
    // Upwards from the last entry, downwards from the first, so no level is
    // overwritten before it has moved. Every level moved from is either moved
    // into afterwards or cleared below.
    for (std::size_t step = 0; step <= last - first; ++step) {
        auto& entry = m_levelList[delta > 0 ? last - step : first + step];
        oldNumbers.push_back(entry.number);
        auto& moved = m_document.level(entry.number + delta);
        moved = std::move(m_document.level(entry.number));
        entry.number = static_cast<std::int16_t>(entry.number + delta);
        entry.title = moved.title;
    }
    // A number the shift left behind would otherwise be saved as a second
    // copy of the level that moved away.
    for (const int number : oldNumbers) {
        if (!positionOfLevel(number))
            m_document.level(number).clear();
    }
    notify(&ListObserver::rowsChanged, first, last);
}

// Showing and storing ----------------------------------------------------------

void CcxEditor::resetDocument() {
    m_document.reset();
    m_currentLevel = 0;
    m_shown.pageHasOwnColors = false;
    m_shown.pane = CcxPane::Prologue;
    m_shown.pageText.clear();
}

CcxPageList& CcxEditor::shownPane() {
    return m_document.level(m_currentLevel).pane(m_shown.pane);
}

void CcxEditor::showPage(int page, CcxPane pane) {
    if (page < 1 || page > kMaxCcxPages || !CcxDocument::isLevelNumber(m_currentLevel)) {
        m_shown.pageNumber = 1;
        m_shown.pageCount = 0;
        m_shown.pageText.clear();
        m_shown.pageEditable = false;
        m_shown.pageHasOwnColors = false;
        return;
    }
    const auto& list = m_document.level(m_currentLevel).pane(pane);
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
    if (!CcxDocument::isLevelNumber(m_currentLevel))
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
    if (!CcxDocument::isLevelNumber(m_currentLevel))
        return;
    auto& level = m_document.level(m_currentLevel);
    level.title = m_shown.title;
    level.author = m_shown.author;
    level.compatAttributes = formatCompatAttributes(m_shown.ms, m_shown.lynx, m_shown.pedantic);
}

void CcxEditor::select(std::size_t position, bool store) {
    if (store)
        storeShownLevel();
    m_selected = position;
    if (position >= m_levelList.size())
        return;
    const int number = m_levelList[position].number;
    if (!CcxDocument::isLevelNumber(number))
        return;

    m_currentLevel = number;
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
    m_currentLevel = 0;
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

CommandResult CcxEditor::startUp() {
    resetDocument();
    const auto answer =
        m_platform.message("Do you want to start a new CCX file?", kCcxEditorCaption,
                           MessageIcon::Question, MessageButtons::YesNo);
    return answer == MessageAnswer::Yes ? newFile() : open();
}

CommandResult CcxEditor::newFile() {
    if (!confirmSaveChanges())
        return CommandResult::failed();
    // The location first, so the number of levels can default to the set's
    // beside it. The dialog asks before replacing a file: the first Save
    // would destroy whatever file the user clicked by mistake.
    const auto choice =
        m_platform.saveFileDialog("Select Location to Save CCX File", "CCX Files|*.ccx", {}, true);
    if (!choice || choice->path.empty())
        return CommandResult::failed();
    const auto answer =
        m_platform.lineInput("Enter the number of levels in the level set:", "New CCX File",
                             levelCountBeside(choice->path));
    if (!answer || answer->empty())
        return CommandResult::failed();
    const auto count = toInt16(*answer);
    if (!count || !CcxDocument::isLevelNumber(*count)) {
        tell("Error - invalid number of levels");
        return CommandResult::failed();
    }

    resetDocument();
    m_document.fileName = choice->path;
    // A file that is there already is another program's until the user
    // says it may be replaced.
    m_fileOnDisk.reset();
    m_document.levelCount = *count;
    std::vector<CcxListEntry> entries;
    entries.reserve(static_cast<std::size_t>(*count));
    for (std::int16_t number = 1; number <= *count; ++number)
        entries.push_back({number, {}});
    replaceList(std::move(entries));
    select(0, false);
    return CommandResult::succeeded();
}

CommandResult CcxEditor::open() {
    const auto choice = m_platform.openFileDialog("Open CCX File for Editing", "CCX Files|*.ccx");
    if (!choice || choice->path.empty())
        return CommandResult::failed();
    return openFile(choice->path);
}

CommandResult CcxEditor::openFile(const std::string& path) {
    if (!confirmSaveChanges())
        return CommandResult::failed();

    CcxDocument fresh;
    // The set's colour sample keeps its colours when the file has no colours line.
    fresh.defaultBackColor = m_document.defaultBackColor;
    fresh.defaultFontColor = m_document.defaultFontColor;
    BytesHash fileHash;
    auto result = readCcxFile(toPath(path), std::move(fresh), &fileHash);
    if (!result.ok()) {
        tell(readErrorMessage(path, result.error()));
        return CommandResult::failed();
    }
    auto& contents = *result;
    contents.document.fileName = path;
    m_fileOnDisk = fileHash.value();
    installDocument(std::move(contents.document), contents.levelNumbers);
    if (!contents.repeatedLevels.empty())
        tell(repeatedLevelsMessage(contents.repeatedLevels));
    if (!contents.unreadLines.empty())
        tell(unreadLinesMessage(path, contents.unreadLines));
    return CommandResult::succeeded();
}

CommandResult CcxEditor::save() {
    if (!documentOpen())
        return CommandResult::failed();
    storeShownLevel();
    const auto path = toPath(m_document.fileName);
    if (!confirmOverwriteChangedFile(path))
        return CommandResult::failed();
    const auto bytes = formatCcxFile(m_document);
    if (isReadOnlyFile(path) || !replaceFileAtomically(path, bytes)) {
        tell("Error - cannot save \"" + m_document.fileName + "\". The file on disk is unchanged.");
        return CommandResult::failed();
    }
    m_fileOnDisk = hashOfBytes(bytes);
    return CommandResult::succeeded();
}

bool CcxEditor::confirmOverwriteChangedFile(const std::filesystem::path& path) {
    const auto bytes = readFileBytes(path);
    // A file that is gone (or cannot be read, and so not written either)
    // holds nothing to lose.
    if (!bytes || (m_fileOnDisk && *m_fileOnDisk == hashOfBytes(*bytes)))
        return true;
    // Asked once for each change: after No, the file as it is now counts as
    // seen, and the next Save writes over it.
    m_fileOnDisk = hashOfBytes(*bytes);
    return m_platform.message(m_document.fileName +
                                  " has been changed by another program since it was opened. "
                                  "Save your version over it?",
                              kCcxEditorCaption, MessageIcon::Question,
                              MessageButtons::YesNo) == MessageAnswer::Yes;
}

bool CcxEditor::confirmSaveChanges() {
    if (!documentOpen())
        return true;
    const auto answer =
        m_platform.message("Save changes to " + m_document.fileName + "?", kCcxEditorCaption,
                           MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes)
        return save().done;
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

CommandResult CcxEditor::insertAfter() {
    if (!documentOpen() || !m_selected || refuseInsertAtLimit())
        return CommandResult::failed();
    const std::size_t position = *m_selected;
    const int number = m_levelList[position].number;
    const bool gapFollows =
        position + 1 >= m_levelList.size() || m_levelList[position + 1].number != number + 1;
    insertEntry(position + 1, {static_cast<std::int16_t>(number + 1), {}});
    if (!gapFollows)
        shiftEntries(position + 2, m_levelList.size() - 1, +1);
    m_document.level(number + 1).clear();
    updateLevelCount();
    return CommandResult::succeeded();
}

CommandResult CcxEditor::insertBefore() {
    if (!documentOpen() || !m_selected || refuseInsertAtLimit())
        return CommandResult::failed();
    const std::size_t position = *m_selected;
    const int number = m_levelList[position].number;
    const int previous = position > 0 ? m_levelList[position - 1].number : 0;
    if (number - previous != 1) {
        // Into the gap below: nothing moves and the selection stays as it is.
        insertEntry(position, {static_cast<std::int16_t>(number - 1), {}});
        m_document.level(number - 1).clear();
    } else {
        insertEntry(position, {static_cast<std::int16_t>(number), {}});
        shiftEntries(*m_selected, m_levelList.size() - 1, +1);
        m_document.level(number).clear();
        // The shown fields belong to the selected level, now one number up.
        m_currentLevel = number + 1;
        select(*m_selected, true);
    }
    updateLevelCount();
    return CommandResult::succeeded();
}

std::optional<std::size_t> CcxEditor::removeSelectedLevel() {
    if (!documentOpen() || !m_selected || refuseDeleteOfOnlyLevel())
        return std::nullopt;
    m_document.level(m_currentLevel).clear();
    const std::size_t position = *m_selected;
    const bool wasLast = position + 1 == m_levelList.size();
    select(wasLast ? position - 1 : position + 1, false);
    removeEntry(position);
    return position;
}

CommandResult CcxEditor::deleteLevel() {
    if (!removeSelectedLevel())
        return CommandResult::failed();
    updateLevelCount();
    return CommandResult::succeeded();
}

CommandResult CcxEditor::deleteAndRenumber() {
    const auto position = removeSelectedLevel();
    if (!position)
        return CommandResult::failed();
    // The entries after it move down one number, and the one now at its place is shown.
    if (*position < m_levelList.size()) {
        shiftEntries(*position, m_levelList.size() - 1, -1);
        m_currentLevel = m_levelList[*position].number;
        select(*position, true);
    }
    updateLevelCount();
    return CommandResult::succeeded();
}

CommandResult CcxEditor::moveUp() {
    if (!documentOpen() || !m_selected || *m_selected == 0)
        return CommandResult::failed();
    swapWithNeighbour(*m_selected - 1);
    return CommandResult::succeeded();
}

CommandResult CcxEditor::moveDown() {
    if (!documentOpen() || !m_selected || *m_selected + 1 >= m_levelList.size())
        return CommandResult::failed();
    swapWithNeighbour(*m_selected + 1);
    return CommandResult::succeeded();
}

void CcxEditor::swapWithNeighbour(std::size_t neighbour) {
    const std::size_t position = *m_selected;
    const int a = m_levelList[position].number;
    const int b = m_levelList[neighbour].number;
    std::swap(m_document.level(a), m_document.level(b));
    setEntryTitle(position, m_document.level(a).title);
    setEntryTitle(neighbour, m_document.level(b).title);
    // The shown fields, edits included, go with the moved level to b.
    m_currentLevel = b;
    select(neighbour, true);
}

// Pages and colours ------------------------------------------------------------

CommandResult CcxEditor::choosePane(CcxPane pane) {
    if (!documentOpen() || !CcxDocument::isLevelNumber(m_currentLevel))
        return CommandResult::failed();
    // Stored into the pane shown until now.
    storeShownPage();
    const int count = m_document.level(m_currentLevel).pane(pane).count;
    showPage(1, pane); // "Page 1 of 0" and a disabled page for an empty pane
    m_shown.pane = pane;
    return {count > 0 ? "thePage" : "addPage", true};
}

CommandResult CcxEditor::previousPage() {
    if (!documentOpen() || m_shown.pageNumber <= 1)
        return CommandResult::failed();
    storeShownPage();
    showPage(m_shown.pageNumber - 1, m_shown.pane);
    return CommandResult::succeeded();
}

CommandResult CcxEditor::nextPage() {
    if (!documentOpen() || m_shown.pageNumber >= shownPane().count)
        return CommandResult::failed();
    storeShownPage();
    showPage(m_shown.pageNumber + 1, m_shown.pane);
    return CommandResult::succeeded();
}

CommandResult CcxEditor::addPage() {
    if (!documentOpen())
        return CommandResult::failed();
    auto& list = shownPane();
    if (list.count >= kMaxCcxPages) {
        tell(m_shown.pane == CcxPane::Prologue ? "You can only have 10 pages in the prologue."
                                               : "You can only have 10 pages in the epilogue.");
        return CommandResult::failed();
    }
    // The new last page is already empty: pages beyond the count always are.
    ++list.count;
    m_shown.pageCount = list.count;
    m_shown.pageEditable = true;
    return CommandResult::succeeded();
}

CommandResult CcxEditor::deletePage() {
    if (!documentOpen())
        return CommandResult::failed();
    auto& list = shownPane();
    const int count = list.count;
    if (count == 0) {
        tell("Error - there are no pages to delete.");
        return CommandResult::failed();
    }
    const auto answer =
        m_platform.message("Are you sure you want to delete this page?", kCcxEditorCaption,
                           MessageIcon::Question, MessageButtons::YesNo);
    int page = m_shown.pageNumber;
    if (answer != MessageAnswer::Yes)
        return CommandResult::failed();
    // The shown page goes with its unstored edits; the later pages move down.
    for (int i = page; i < count; ++i)
        list.page(i) = list.page(i + 1);
    list.page(count).hasOwnColors = 0;
    list.page(count).text.clear();
    list.count = static_cast<std::uint8_t>(count - 1);
    if (page > list.count)
        --page;
    showPage(page, m_shown.pane);
    return CommandResult::succeeded();
}

CommandResult CcxEditor::chooseColor(const char* title, ColorValue& color, bool& tick) {
    const auto chosen = m_platform.colorDialog(title);
    if (!chosen)
        return CommandResult::failed();
    color = *chosen;
    tick = true;
    return CommandResult::succeeded();
}

CommandResult CcxEditor::choosePageBackColor() {
    return chooseColor("Set Page Background Color", m_shown.pageBackColor,
                       m_shown.pageHasOwnColors);
}

CommandResult CcxEditor::choosePageFontColor() {
    return chooseColor("Set Page Font Color", m_shown.pageFontColor, m_shown.pageHasOwnColors);
}

CommandResult CcxEditor::chooseDefaultBackColor() {
    return chooseColor("Set Default Page Background Color", m_document.defaultBackColor,
                       m_document.hasDefaultColors);
}

CommandResult CcxEditor::chooseDefaultFontColor() {
    return chooseColor("Set Default Page Font Color", m_document.defaultFontColor,
                       m_document.hasDefaultColors);
}

// Title import -----------------------------------------------------------------

CommandResult CcxEditor::importTitles() {
    if (!documentOpen() || !CcxDocument::isLevelNumber(m_currentLevel))
        return CommandResult::failed();
    const auto choice =
        m_platform.openFileDialog("Import Titles from Tabulin Text File",
                                  "Tabulin Text Output Files (.txt)|*.txt|Level sets|*.dat;*.ccl");
    if (!choice || choice->path.empty())
        return CommandResult::failed();
    // An unreadable file counts as a report whose first two lines are empty.
    const auto read = readFileBytes(toPath(choice->path));
    const std::string_view bytes = read ? read->view() : std::string_view();
    const bool levelSet = startsWithLevelSetSignature(bytes);
    const auto report = levelSet ? levelSetTitles(bytes) : readTabulinReport(bytes);
    if (!report) {
        tell(levelSet ? "Error - \"" + choice->path + "\" is a damaged level set: " +
                            report.error().problem + ". No titles were imported."
                      : "Error - invalid Tabulin text file");
        return CommandResult::failed();
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
        if (const auto position = positionOfLevel(line.number))
            setEntryTitle(*position, level.title);
    }
    // A title typed but not stored wins when the stored ones are kept.
    if (m_shown.title.empty() || overwrite)
        titleEdit(m_document.level(m_currentLevel).title);
    return CommandResult::succeeded();
}

} // namespace tessaro
