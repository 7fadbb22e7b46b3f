#include "score_ini/inieditor.h"

#include "common/codepage.h"
#include "scorefile/levelvalue.h"

#include <algorithm>
#include <cstdio>

namespace tessaro {

namespace {

constexpr const char* kProgramTitle = "Tessaro";

// "Level007", as the list shows an entry's number.
std::string levelKey(int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", number);
    return std::string("Level") + digits;
}

} // namespace

IniEditor::IniEditor(Platform& platform, StartFolderEnvironment environment)
    : m_platform(platform), m_environment(std::move(environment)) {}

std::size_t IniEditor::entryCount() const {
    return m_section ? m_section->levelEntries.size() : 0;
}

std::string IniEditor::entryText(std::size_t position) const {
    return displayText(m_section->levelEntries.at(position));
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

void IniEditor::markSaved() {
    m_savedEntries = m_section->levelEntries;
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
    observer().listAboutToBeReset();
    m_section = std::move(*loaded);
    m_selection.reset();
    markSaved();
    observer().listReset();
    return CommandResult::succeeded();
}

void IniEditor::shiftFrom(std::size_t first, int delta) {
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
    bool saved = false;
    switch (SaveSectionInPlace(*m_section)) {
    case SaveResult::Saved:
        markSaved();
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
    // The edits are kept in a file now, even if not in the loaded one.
    if (!SaveSectionToFile(*m_section, path)) {
        tell(kSaveAsFailed, MessageIcon::Exclamation);
        return CommandResult::failed();
    }
    markSaved();
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
