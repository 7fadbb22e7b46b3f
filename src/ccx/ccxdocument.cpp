#include "ccx/ccxdocument.h"

namespace tessaro {

CcxDocument::CcxDocument() : m_levels(kMaxCcxLevels) {}

void CcxDocument::reset() {
    fileName.clear();
    levelCount = 0;
    currentLevel = 0;
    description.clear();
    author.clear();
    msChoice = CompatChoice::Ignore;
    lynxChoice = CompatChoice::Ignore;
    pedanticChoice = CompatChoice::Ignore;
    hasDefaultColors = false;
    for (auto& level : m_levels)
        level.clear();
}

} // namespace tessaro
