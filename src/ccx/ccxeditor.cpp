#include "ccx/ccxeditor.h"

#include "ccx/ccxreader.h"
#include "ccx/ccxwriter.h"
#include "ccx/levelentrytext.h"
#include "common/numbers.h"
#include "common/paths.h"

#include <filesystem>

namespace tessaro {

namespace {

std::string pageNumCaption(int page, int count) {
    return "Page " + std::to_string(page) + " of " + std::to_string(count);
}

// A file whose write permissions are all off counts as read-only: saving
// must not replace it, although a rename over it would succeed.
bool isMarkedReadOnly(const std::filesystem::path& path) {
    using std::filesystem::perms;
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::is_regular_file(status))
        return false;
    return (status.permissions() &
            (perms::owner_write | perms::group_write | perms::others_write)) == perms::none;
}

std::string readErrorMessage(const std::string& fileName, const CcxReadError& error) {
    if (error.line == 0)
        return "Error - the file \"" + fileName + "\" cannot be read.";
    return "Error in line " + std::to_string(error.line) + " of \"" + fileName +
           "\": " + error.problem + ". The file was not opened.";
}

} // namespace

CcxEditor::CcxEditor(Platform& platform) : m_platform(platform) {}

void CcxEditor::selectEntry(int position) {
    const bool listed = position >= 0 && position < static_cast<int>(m_levelList.size());
    m_selected = listed ? position : -1;
    showLevel();
}

void CcxEditor::replaceEntries(std::vector<std::string> entries) {
    notify([](CcxLevelListObserver& o) { o.entriesAboutToBeReset(); });
    m_levelList = std::move(entries);
    m_selected = -1;
    notify([](CcxLevelListObserver& o) { o.entriesReset(); });
}

void CcxEditor::insertEntry(int position, std::string text) {
    notify([position](CcxLevelListObserver& o) { o.entryAboutToBeInserted(position); });
    m_levelList.insert(m_levelList.begin() + position, std::move(text));
    if (m_selected >= position)
        ++m_selected;
    notify([position](CcxLevelListObserver& o) { o.entryInserted(position); });
}

void CcxEditor::removeEntry(int position) {
    notify([position](CcxLevelListObserver& o) { o.entryAboutToBeRemoved(position); });
    m_levelList.erase(m_levelList.begin() + position);
    if (m_selected == position)
        m_selected = -1;
    else if (m_selected > position)
        --m_selected;
    notify([position](CcxLevelListObserver& o) { o.entryRemoved(position); });
}

void CcxEditor::setEntryText(int position, std::string text) {
    m_levelList[static_cast<std::size_t>(position)] = std::move(text);
    notify([position](CcxLevelListObserver& o) { o.entryChanged(position); });
}

void CcxEditor::resetPageControls() {
    m_controls.check2 = false;
    m_controls.shownPane = CcxPane::Prologue;
    m_controls.thePage.clear();
}

void CcxEditor::resetDocument() {
    m_document.reset();
    resetPageControls();
}

std::uint8_t CcxEditor::shownPageNumber() const {
    const std::string_view caption = m_controls.pageNum;
    const auto first = caption.find(' ');
    if (first == std::string_view::npos)
        return 0;
    const auto second = caption.find(' ', first + 1);
    const auto word = caption.substr(
        first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1);
    const auto number = toInt16(word);
    return number && *number >= 0 && *number <= 255 ? static_cast<std::uint8_t>(*number) : 0;
}

void CcxEditor::showPage(std::int16_t page, CcxPane pane) {
    if (page < 1 || page > kMaxCcxPages || !CcxDocument::isLevelNumber(m_document.currentLevel)) {
        m_controls.pageNum = pageNumCaption(1, 0);
        m_controls.thePage.clear();
        m_controls.thePageEnabled = false;
        m_controls.check2 = false;
        return;
    }
    const auto& list = m_document.level(m_document.currentLevel).pane(pane);
    const auto& shown = list.page(page);
    m_controls.check2 = shown.hasOwnColors == 1;
    if (m_controls.check2) {
        m_controls.colorLabelBack = shown.backColor;
        m_controls.colorLabelFont = shown.fontColor;
    }
    m_controls.thePage = shown.text;
    m_controls.pageNum = pageNumCaption(page, list.count);
    m_controls.thePageEnabled = list.count != 0;
}

void CcxEditor::storeShownPage() {
    if (!CcxDocument::isLevelNumber(m_document.currentLevel))
        return;
    auto& list = m_document.level(m_document.currentLevel).pane(m_controls.shownPane);
    const int page = shownPageNumber();
    // Pages beyond the count stay empty.
    if (list.count == 0 || page < 1 || page > list.count)
        return;
    auto& stored = list.page(page);
    stored.hasOwnColors = m_controls.check2 ? 1 : 0;
    if (m_controls.check2) {
        stored.backColor = m_controls.colorLabelBack;
        stored.fontColor = m_controls.colorLabelFont;
    }
    stored.text = m_controls.thePage;
}

void CcxEditor::storeShownLevel() {
    storeShownPage();
    if (!CcxDocument::isLevelNumber(m_document.currentLevel))
        return;
    auto& level = m_document.level(m_document.currentLevel);
    level.title = m_controls.levelTitle;
    level.author = m_controls.levelAuthor;
    level.compatAttributes = buildCompatAttributes();
}

std::string CcxEditor::buildCompatAttributes() const {
    return formatCompatAttributes(m_controls.levelMs, m_controls.levelLx, m_controls.levelPed);
}

void CcxEditor::showLevel() {
    if (m_document.skipNextLevelStore)
        m_document.skipNextLevelStore = false;
    else
        storeShownLevel();
    if (m_selected < 0 || m_selected >= static_cast<int>(m_levelList.size()))
        return;
    const auto number = levelNumberOfEntry(m_levelList[static_cast<std::size_t>(m_selected)]);
    if (!number || !CcxDocument::isLevelNumber(*number))
        return;

    m_document.currentLevel = *number;
    m_curLevNum = std::to_string(*number);
    const auto& level = m_document.level(*number);
    m_controls.levelTitle = level.title;
    m_controls.levelAuthor = level.author;
    m_controls.levelMs = readCompatChoice(level.compatAttributes, "ms");
    m_controls.levelLx = readCompatChoice(level.compatAttributes, "lynx");
    m_controls.levelPed = readCompatChoice(level.compatAttributes, "pedantic");

    const auto& first = level.prologue.page(1);
    m_controls.pageNum = pageNumCaption(1, level.prologue.count);
    m_controls.thePageEnabled = level.prologue.count != 0;
    m_controls.check2 = first.hasOwnColors == 1;
    if (m_controls.check2) {
        m_controls.colorLabelFont = first.fontColor;
        m_controls.colorLabelBack = first.backColor;
    }
    m_controls.thePage = first.text;
    m_controls.shownPane = CcxPane::Prologue;
}

bool CcxEditor::save() {
    if (m_document.fileName.empty())
        return false;
    storeShownLevel();
    const auto path = toPath(m_document.fileName);
    if (isMarkedReadOnly(path) || !writeCcxFile(path, m_document)) {
        m_platform.tell("Error - cannot save \"" + m_document.fileName +
                            "\". The file on disk is unchanged.",
                        kCcxEditorCaption, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool CcxEditor::confirmSaveChanges() {
    if (m_document.fileName.empty())
        return true;
    const auto answer =
        m_platform.message("Save changes to " + m_document.fileName + "?", kCcxEditorCaption,
                           MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes)
        return save();
    return answer == MessageAnswer::No;
}

void CcxEditor::open() {
    const auto choice = m_platform.openFileDialog("Open CCX File for Editing", "CCX Files|*.ccx");
    if (!choice || choice->path.empty())
        return;
    if (!confirmSaveChanges())
        return;

    CcxDocument fresh;
    // The set's colour sample keeps its colours when the file has no colours line.
    fresh.defaultBackColor = m_document.defaultBackColor;
    fresh.defaultFontColor = m_document.defaultFontColor;
    auto result = readCcxFile(toPath(choice->path), std::move(fresh));
    if (!result.ok()) {
        m_platform.tell(readErrorMessage(choice->path, result.error), kCcxEditorCaption,
                        MessageIcon::Exclamation);
        return;
    }
    result.contents->document.fileName = choice->path;
    installDocument(std::move(result.contents->document), std::move(result.contents->levelList));
}

void CcxEditor::installDocument(CcxDocument document, std::vector<std::string> entries) {
    m_document = std::move(document);
    resetPageControls();
    m_label1 = "File Name: " + m_document.fileName;
    replaceEntries(std::move(entries));
    m_document.skipNextLevelStore = true;
    if (!m_levelList.empty())
        selectEntry(0);
    m_saveEnabled = true;
}

} // namespace tessaro
