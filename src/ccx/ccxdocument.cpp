#include "ccx/ccxdocument.h"

#include <algorithm>

namespace tessaro {

namespace {

const CcxLevel& emptyLevel() {
    static const CcxLevel empty;
    return empty;
}

} // namespace

CcxDocument::LevelTable::LevelTable(const LevelTable& other) {
    m_made.reserve(other.m_made.size());
    for (const auto& level : other.m_made)
        m_made.push_back(level ? std::make_unique<CcxLevel>(*level) : nullptr);
}

CcxDocument::LevelTable& CcxDocument::LevelTable::operator=(const LevelTable& other) {
    if (this != &other)
        *this = LevelTable(other);
    return *this;
}

CcxLevel& CcxDocument::LevelTable::level(int number) {
    const auto index = static_cast<std::size_t>(number - 1);
    if (index >= m_made.size())
        m_made.resize(index + 1);
    auto& made = m_made[index];
    if (!made)
        made = std::make_unique<CcxLevel>();
    return *made;
}

const CcxLevel& CcxDocument::LevelTable::level(int number) const {
    const auto index = static_cast<std::size_t>(number - 1);
    return index < m_made.size() && m_made[index] ? *m_made[index] : emptyLevel();
}

void CcxDocument::LevelTable::clearAll() {
    for (auto& level : m_made) {
        if (level)
            level->clear();
    }
}

void CcxDocument::LevelTable::dropAbove(int number) {
    m_made.resize(std::min(m_made.size(), static_cast<std::size_t>(std::max(number, 0))));
}

bool CcxDocument::LevelTable::operator==(const LevelTable& other) const {
    const auto made = std::max(m_made.size(), other.m_made.size());
    for (std::size_t index = 0; index < made; ++index) {
        const int number = static_cast<int>(index) + 1;
        if (!(level(number) == other.level(number)))
            return false;
    }
    return true;
}

void CcxDocument::reset() {
    fileName.clear();
    levelCount = 0;
    description.clear();
    author.clear();
    msChoice = CompatChoice::Ignore;
    lynxChoice = CompatChoice::Ignore;
    pedanticChoice = CompatChoice::Ignore;
    hasDefaultColors = false;
    m_levels.clearAll();
}

} // namespace tessaro
