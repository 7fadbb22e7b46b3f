#include "score_ini/inieditor.h"

#include "common/casefold.h"
#include "common/codepage.h"
#include "common/paths.h"
#include "common/textfile.h"
#include "levelset/ccffile.h"
#include "levelset/levelsetreader.h"
#include "scorefile/levelvalue.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

namespace tessaro {

namespace {

constexpr const char* kProgramTitle = "Tessaro";

// "Level007", as the list shows an entry's number.
std::string levelKey(int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", number);
    return std::string("Level") + digits;
}

// Each level's lines (value and the rest), in one order whatever the list's.
std::map<int, std::vector<std::string>> linesByLevel(const std::vector<LevelEntry>& entries) {
    std::map<int, std::vector<std::string>> levels;
    for (const auto& entry : entries)
        levels[entry.number].push_back(entry.value + entry.rest);
    for (auto& [number, lines] : levels)
        std::sort(lines.begin(), lines.end());
    return levels;
}

// The numbers of the levels whose lines differ between two lists, ascending.
std::vector<int> changedLevels(const std::vector<LevelEntry>& before,
                               const std::vector<LevelEntry>& after) {
    const auto was = linesByLevel(before);
    const auto is = linesByLevel(after);
    std::set<int> numbers;
    for (const auto* levels : {&was, &is})
        for (const auto& [number, lines] : *levels)
            numbers.insert(number);
    std::vector<int> changed;
    const auto linesOf = [](const auto& levels, int number) {
        const auto found = levels.find(number);
        return found == levels.end() ? std::vector<std::string>() : found->second;
    };
    for (const int number : numbers)
        if (linesOf(was, number) != linesOf(is, number))
            changed.push_back(number);
    return changed;
}

bool sameSection(const ScoreSection& a, const ScoreSection& b) {
    return changedLevels(a.levelEntries, b.levelEntries).empty() && a.extraLines == b.extraLines &&
           a.unlistedLines == b.unlistedLines && a.currentScore == b.currentScore;
}

// The file's entries with the edited levels' lines put in, the n-th entry of
// a level in the file taking the n-th one of that level in the editor. Without
// an insert or delete each level has as many entries in both.
std::vector<LevelEntry> withEdits(std::vector<LevelEntry> fileEntries,
                                  const std::vector<LevelEntry>& edited,
                                  const std::vector<int>& editedLevels) {
    std::map<int, std::vector<const LevelEntry*>> editedEntries;
    for (const auto& entry : edited)
        if (std::binary_search(editedLevels.begin(), editedLevels.end(), entry.number))
            editedEntries[entry.number].push_back(&entry);
    std::map<int, std::size_t> used;
    for (auto& entry : fileEntries) {
        const auto found = editedEntries.find(entry.number);
        if (found != editedEntries.end() && used[entry.number] < found->second.size())
            entry = *found->second[used[entry.number]++];
    }
    return fileEntries;
}

// "level 2", "levels 2 and 3", "levels 1, 2, 3 and 4"; past ten numbers "and N more".
std::string levelList(const std::vector<int>& levels) {
    constexpr std::size_t kShown = 10;
    std::string text = levels.size() == 1 ? "level " : "levels ";
    const std::size_t shown = std::min(levels.size(), kShown);
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0)
            text += i + 1 == levels.size() ? " and " : ", ";
        text += std::to_string(levels[i]);
    }
    if (levels.size() > shown)
        text += " and " + std::to_string(levels.size() - shown) + " more";
    return text;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return a == b || std::filesystem::equivalent(toPath(a), toPath(b), error);
}

} // namespace

IniEditor::IniEditor(Platform& platform, StartFolderEnvironment environment,
                     CurrentFolder currentFolder)
    : m_platform(platform), m_environment(std::move(environment)),
      m_currentFolder(std::move(currentFolder)) {}

std::size_t IniEditor::entryCount() const {
    return m_section ? m_section->levelEntries.size() : 0;
}

std::string IniEditor::entryText(std::size_t position) const {
    return displayText(m_section->levelEntries.at(position));
}

std::string IniEditor::levelTitle(std::size_t position) const {
    const auto found = m_titles.find(m_section->levelEntries.at(position).number);
    return found == m_titles.end() ? std::string() : found->second;
}

void IniEditor::findLevelTitles() {
    m_titles.clear();
    if (setName.empty())
        return;
    std::vector<std::filesystem::path> folders;
    if (m_currentFolder && !m_currentFolder().empty())
        folders.push_back(toPath(m_currentFolder()));
    if (!iniFileName.empty())
        folders.push_back(toPath(iniFileName).parent_path());
    const auto name = toPath(setName);
    const bool isCcf = endsWithIgnoreCase(setName, ".ccf");
    std::error_code error;
    for (const auto& folder : folders) {
        auto path = folder / name;
        if (!std::filesystem::is_regular_file(path, error))
            continue;
        if (isCcf) {
            // The CCF file holds its set's path in the game's code page; a
            // relative one is taken from the CCF file's folder.
            const auto ccf = readCcfFile(path);
            if (!ccf)
                continue;
            path = folder / ccfLevelSetPath(ccf->levelSetPath);
        }
        const auto set = readLevelSet(fromPath(path));
        if (!set)
            continue;
        for (const auto& level : set->levels)
            m_titles.emplace(level.number, fromWindows1252(level.title));
        return;
    }
}

const std::vector<std::string>& IniEditor::extraLines() const {
    static const std::vector<std::string> none;
    return m_section ? m_section->extraLines : none;
}

void IniEditor::select(std::optional<std::size_t> position) {
    m_selection = position && *position < entryCount() ? position : std::nullopt;
}

ListObserver& IniEditor::observer() {
    static ListObserver nobody;
    return m_observer ? *m_observer : nobody;
}

void IniEditor::changed(std::size_t first, std::size_t last) {
    if (first <= last)
        observer().rowsChanged(static_cast<int>(first), static_cast<int>(last));
}

bool IniEditor::hasUnsavedChanges() const {
    return m_section && m_section->levelEntries != m_savedEntries;
}

void IniEditor::markSaved(bool inPlace) {
    m_savedEntries = m_section->levelEntries;
    if (!inPlace)
        return;
    m_onDisk = *m_section;
    m_renumbered = false;
}

void IniEditor::show(ScoreSection section) {
    observer().listAboutToBeReset();
    m_section = std::move(section);
    m_selection.reset();
    markSaved(true);
    observer().listReset();
}

void IniEditor::tell(const std::string& text, MessageIcon icon) {
    m_platform.tell(text, icon == MessageIcon::Information ? kProgramTitle : kCaption, icon);
}

CommandResult IniEditor::browse() {
    const auto choice = m_platform.openFileDialog("Browse for INI File", kFilter,
                                                  scoreFileStartFolder(m_environment));
    if (!choice)
        return CommandResult::failed();
    iniFileName = choice->path;
    return CommandResult::succeeded();
}

CommandResult IniEditor::getInfo() {
    if (!confirmClose().done)
        return CommandResult::failed();
    // The game names a set's section in its own code page; a name that code
    // page cannot hold names no section the game wrote.
    const auto gameName = toWindows1252(setName);
    if (!gameName) {
        tell(kSetNotFound, MessageIcon::Exclamation);
        return CommandResult::failed();
    }
    auto loaded = LoadScoreSection(iniFileName, *gameName);
    if (!loaded) {
        tell(loaded.error().fileUnreadable() ? kFileNotOpened : kSetNotFound,
             MessageIcon::Exclamation);
        return CommandResult::failed();
    }
    findLevelTitles();
    show(std::move(*loaded));
    return CommandResult::succeeded();
}

void IniEditor::shiftFrom(std::size_t first, int delta) {
    m_renumbered = true;
    auto& list = entries();
    for (std::size_t i = first; i < list.size(); ++i) {
        const int level = static_cast<int>(i) + 1;
        list[i].number += delta;
        list[i].value = RescoreLevelValue(list[i].value, level - delta, level);
    }
    if (first < list.size())
        changed(first, list.size() - 1);
}

bool IniEditor::refuseInsert(int newNumber, std::size_t first) {
    const auto& list = entries();
    const bool full =
        newNumber > kHighestLevel ||
        std::any_of(list.begin() + static_cast<std::ptrdiff_t>(std::min(first, list.size())),
                    list.end(), [](const LevelEntry& e) { return e.number >= kHighestLevel; });
    if (full)
        tell(kSetIsFull, MessageIcon::Exclamation);
    return full;
}

CommandResult IniEditor::insertBefore() {
    if (!m_section || !m_selection)
        return CommandResult::failed();
    const std::size_t p = *m_selection;
    if (refuseInsert(static_cast<int>(p) + 1, p))
        return CommandResult::failed();
    const int row = static_cast<int>(p);
    observer().rowsAboutToBeInserted(row, row);
    entries().insert(entries().begin() + row, LevelEntry{row + 1, {}, {}});
    observer().rowsInserted(row, row);
    m_selection = p + 1;
    shiftFrom(p + 1, +1);
    return CommandResult::succeeded();
}

CommandResult IniEditor::insertAfter() {
    if (!m_section || !m_selection)
        return CommandResult::failed();
    const std::size_t p = *m_selection;
    if (refuseInsert(static_cast<int>(p) + 2, p + 1))
        return CommandResult::failed();
    const int row = static_cast<int>(p) + 1;
    observer().rowsAboutToBeInserted(row, row);
    entries().insert(entries().begin() + row, LevelEntry{row + 1, {}, {}});
    observer().rowsInserted(row, row);
    shiftFrom(p + 2, +1);
    return CommandResult::succeeded();
}

CommandResult IniEditor::deleteEntry() {
    if (!m_section || !m_selection)
        return CommandResult::failed();
    const std::size_t d = *m_selection;
    // Entries after d move down one number; none may reach 0 (a set can hold
    // two entries of the same number).
    const auto& list = entries();
    const auto lowest = std::find_if(list.begin() + static_cast<std::ptrdiff_t>(d) + 1, list.end(),
                                     [](const LevelEntry& e) { return e.number <= 1; });
    if (lowest != list.end()) {
        tell("Error - deleting this entry would renumber " + levelKey(lowest->number) + " to " +
                 levelKey(lowest->number - 1) + ". Levels must be numbered 1 to 999.",
             MessageIcon::Exclamation);
        return CommandResult::failed();
    }
    const int row = static_cast<int>(d);
    m_renumbered = true;
    observer().rowsAboutToBeRemoved(row, row);
    entries().erase(entries().begin() + row);
    observer().rowsRemoved(row, row);
    if (d >= entries().size()) {
        m_selection.reset();
        return CommandResult::succeeded();
    }
    m_selection = d; // a view may have moved it as the row went
    shiftFrom(d, -1);
    return CommandResult::succeeded();
}

void IniEditor::swapWithPrevious(std::size_t s) {
    auto& list = entries();
    LevelEntry& above = list[s - 1];
    LevelEntry& below = list[s];
    const int level = static_cast<int>(s) + 1;
    m_renumbered = true;
    std::swap(above.value, below.value);
    std::swap(above.rest, below.rest);
    above.value = RescoreLevelValue(above.value, level, level - 1);
    below.value = RescoreLevelValue(below.value, level - 1, level);
    changed(s - 1, s);
}

CommandResult IniEditor::moveUp() {
    if (!m_section || !m_selection || *m_selection == 0)
        return CommandResult::failed();
    swapWithPrevious(*m_selection);
    m_selection = *m_selection - 1;
    return CommandResult::succeeded();
}

CommandResult IniEditor::moveDown() {
    if (!m_section || !m_selection || *m_selection + 1 >= entries().size())
        return CommandResult::failed();
    m_selection = *m_selection + 1;
    swapWithPrevious(*m_selection);
    return CommandResult::succeeded();
}

CommandResult IniEditor::deleteScore() {
    if (!m_section || !m_selection)
        return CommandResult::failed();
    auto& entry = entries()[*m_selection];
    entry.value = withoutScore(entry.value);
    changed(*m_selection, *m_selection);
    return CommandResult::succeeded();
}

CommandResult IniEditor::changeTime() {
    if (!m_section)
        return CommandResult::failed();
    const auto answer =
        m_platform.lineInput("Enter your new time for the level:", "Enter New Time").value_or("");
    const auto time = ParseLevelTime(answer);
    if (!time) {
        tell(kInvalidTime, MessageIcon::Information);
        return CommandResult::failed();
    }
    // Only a solved level has a time to change; others take a valid time silently.
    if (!m_selection)
        return CommandResult::failed();
    auto& entry = entries()[*m_selection];
    if (auto value = withNewTime(entry.value, *time)) {
        entry.value = std::move(*value);
        changed(*m_selection, *m_selection);
    }
    return CommandResult::succeeded();
}

CommandResult IniEditor::changePassword() {
    if (!m_section)
        return CommandResult::failed();
    const auto answer = m_platform
                            .lineInput("Enter the new password (1-9 characters, 4 is preferred):",
                                       "Enter New Password")
                            .value_or("");
    if (!IsValidLevelPassword(answer)) {
        tell(kInvalidPassword, MessageIcon::Information);
        return CommandResult::failed();
    }
    if (!m_selection)
        return CommandResult::failed();
    auto& entry = entries()[*m_selection];
    entry.value = withNewPassword(entry.value, answer);
    changed(*m_selection, *m_selection);
    return CommandResult::succeeded();
}

CommandResult IniEditor::save() {
    return saveInPlace() ? CommandResult::succeeded() : CommandResult::failed();
}

bool IniEditor::saveInPlace() {
    if (!m_section)
        return false;
    auto now = LoadScoreSection(m_section->iniPath, m_section->setName);
    // A file that cannot be read is the write's to report; a section gone
    // from the file holds nothing the game saved.
    if (!now || !m_onDisk || sameSection(*now, *m_onDisk))
        return writeInPlace();
    const auto edited = changedLevels(m_onDisk->levelEntries, m_section->levelEntries);
    if (edited.empty()) {
        show(std::move(*now));
        return true;
    }
    const auto changed = changedLevels(m_onDisk->levelEntries, now->levelEntries);
    const bool clash = (m_renumbered && !changed.empty()) ||
                       std::any_of(changed.begin(), changed.end(), [&edited](int level) {
                           return std::binary_search(edited.begin(), edited.end(), level);
                       });
    if (clash) {
        const auto question = "The game has saved new scores for " +
                              fromWindows1252(m_section->setName) + " since you loaded it (" +
                              levelList(changed) + "). Save your edits over them?";
        switch (m_platform.message(question, kCaption, MessageIcon::Question,
                                   MessageButtons::YesNoCancel)) {
        case MessageAnswer::Yes:
            break;
        case MessageAnswer::No:
            show(std::move(*now));
            return true;
        default:
            return false;
        }
    } else {
        observer().listAboutToBeReset();
        m_section->levelEntries = withEdits(now->levelEntries, m_section->levelEntries, edited);
        m_selection.reset();
        observer().listReset();
    }
    m_section->extraLines = now->extraLines;
    m_section->unlistedLines = now->unlistedLines;
    m_section->highestLevelIsLast = false;
    // From here on the edits are measured against the file as it is now,
    // also when the write fails.
    m_onDisk = std::move(*now);
    return writeInPlace();
}

bool IniEditor::writeInPlace() {
    bool saved = false;
    switch (SaveSectionInPlace(*m_section)) {
    case SaveResult::Saved:
        markSaved(true);
        saved = true;
        break;
    case SaveResult::TooManySections:
        tell(kTooManySections, MessageIcon::Exclamation);
        break;
    case SaveResult::FileUnavailable:
        tell(kFileNotRead, MessageIcon::Exclamation);
        break;
    case SaveResult::WriteFailed:
        tell(kFileNotWritten, MessageIcon::Exclamation);
        break;
    }
    return saved;
}

CommandResult IniEditor::saveAs() {
    if (!m_section)
        return CommandResult::failed();
    // Save As replaces the chosen file with this one section: ask first.
    const auto choice = m_platform.saveFileDialog("Save To File", kFilter,
                                                  scoreFileStartFolder(m_environment), true);
    if (!choice || choice->path.empty() || choice->name.empty())
        return CommandResult::failed();
    // A name typed without an extension is a score file all the same.
    std::string path = choice->path;
    if (choice->name.find('.') == std::string::npos)
        path += ".ini";
    // Onto the loaded file it is a Save: the other sections stay.
    if (sameFile(path, m_section->iniPath))
        return save();
    // The edits are kept in a file now, even if not in the loaded one.
    if (!SaveSectionToFile(*m_section, path)) {
        tell(kSaveAsFailed, MessageIcon::Exclamation);
        return CommandResult::failed();
    }
    markSaved(false);
    return CommandResult::succeeded();
}

CommandResult IniEditor::confirmClose() {
    if (!hasUnsavedChanges())
        return CommandResult::succeeded();
    switch (m_platform.message("Save changes to " + m_section->iniPath + "?", kCaption,
                               MessageIcon::Question, MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
        return save();
    case MessageAnswer::No:
        return CommandResult::succeeded();
    default:
        return CommandResult::failed();
    }
}

} // namespace tessaro
