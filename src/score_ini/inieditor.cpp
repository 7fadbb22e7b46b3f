#include "score_ini/inieditor.h"

#include "score_ini/levelvalue.h"

namespace tessaro {

namespace {

constexpr const char* kProgramTitle = "Tessaro";

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

void IniEditor::tell(const char* text, MessageIcon icon) {
    m_platform.tell(text, icon == MessageIcon::Information ? kProgramTitle : kCaption, icon);
}

void IniEditor::browse() {
    const auto choice = m_platform.openFileDialog("Browse for INI File", kFilter,
                                                  scoreFileStartFolder(m_environment));
    if (choice)
        iniFileName = choice->path;
}

void IniEditor::getInfo() {
    auto loaded = LoadScoreSection(iniFileName, setName);
    if (const auto* error = std::get_if<LoadError>(&loaded)) {
        tell(*error == LoadError::SectionNotFound ? kSetNotFound : kFileNotOpened,
             MessageIcon::Exclamation);
        return;
    }
    observer().listAboutToBeReset();
    m_section = std::move(std::get<ScoreSection>(loaded));
    m_selection.reset();
    observer().listReset();
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

void IniEditor::insertBefore() {
    if (!m_section || !m_selection)
        return;
    const std::size_t p = *m_selection;
    const int row = static_cast<int>(p);
    observer().rowsAboutToBeInserted(row, row);
    entries().insert(entries().begin() + row, LevelEntry{row + 1, {}, {}});
    observer().rowsInserted(row, row);
    m_selection = p + 1;
    shiftFrom(p + 1, +1);
}

void IniEditor::insertAfter() {
    if (!m_section || !m_selection)
        return;
    const std::size_t p = *m_selection;
    const int row = static_cast<int>(p) + 1;
    observer().rowsAboutToBeInserted(row, row);
    entries().insert(entries().begin() + row, LevelEntry{row + 1, {}, {}});
    observer().rowsInserted(row, row);
    shiftFrom(p + 2, +1);
}

void IniEditor::deleteEntry() {
    if (!m_section || !m_selection)
        return;
    const std::size_t d = *m_selection;
    const int row = static_cast<int>(d);
    observer().rowsAboutToBeRemoved(row, row);
    entries().erase(entries().begin() + row);
    observer().rowsRemoved(row, row);
    if (d >= entries().size()) {
        m_selection.reset();
        return;
    }
    m_selection = d; // a view may have moved it as the row went
    shiftFrom(d, -1);
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

void IniEditor::moveUp() {
    if (!m_section || !m_selection || *m_selection == 0)
        return;
    swapWithPrevious(*m_selection);
    m_selection = *m_selection - 1;
}

void IniEditor::moveDown() {
    if (!m_section || !m_selection || *m_selection + 1 >= entries().size())
        return;
    m_selection = *m_selection + 1;
    swapWithPrevious(*m_selection);
}

void IniEditor::deleteScore() {
    if (!m_section || !m_selection)
        return;
    auto& entry = entries()[*m_selection];
    entry.value = withoutScore(entry.value);
    changed(*m_selection, *m_selection);
}

void IniEditor::changeTime() {
    if (!m_section)
        return;
    const auto answer =
        m_platform.lineInput("Enter your new time for the level:", "Enter New Time").value_or("");
    const auto time = ParseLevelTime(answer);
    if (!time) {
        tell(kInvalidTime, MessageIcon::Information);
        return;
    }
    // Only a solved level has a time to change; others take a valid time silently.
    if (!m_selection)
        return;
    auto& entry = entries()[*m_selection];
    if (auto value = withNewTime(entry.value, *time)) {
        entry.value = std::move(*value);
        changed(*m_selection, *m_selection);
    }
}

void IniEditor::changePassword() {
    if (!m_section)
        return;
    const auto answer = m_platform
                            .lineInput("Enter the new password (1-9 characters, 4 is preferred):",
                                       "Enter New Password")
                            .value_or("");
    if (!IsValidLevelPassword(answer)) {
        tell(kInvalidPassword, MessageIcon::Information);
        return;
    }
    if (!m_selection)
        return;
    auto& entry = entries()[*m_selection];
    entry.value = withNewPassword(entry.value, answer);
    changed(*m_selection, *m_selection);
}

void IniEditor::save() {
    if (!m_section)
        return;
    switch (SaveSectionInPlace(*m_section)) {
    case SaveResult::Saved:
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
}

void IniEditor::saveAs() {
    if (!m_section)
        return;
    const auto choice =
        m_platform.saveFileDialog("Save To File", kFilter, scoreFileStartFolder(m_environment));
    if (!choice || choice->path.empty() || choice->name.empty())
        return;
    if (!SaveSectionToFile(*m_section, choice->path))
        tell(kSaveAsFailed, MessageIcon::Exclamation);
}

} // namespace tessaro
