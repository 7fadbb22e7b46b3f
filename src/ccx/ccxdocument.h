#pragma once

#include "ccx/ccxlevel.h"
#include "ccx/compatchoice.h"
#include "common/colorvalue.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tessaro {

// The highest level number a CCX document holds.
inline constexpr int kMaxCcxLevels = 999;

// One CCX level set being edited: the set's fields and a table of 999
// levels, numbered 1 to 999. A level takes memory only once it is asked for
// other than read-only; until then it reads as an empty level, and a document
// compares and copies the same either way. A level, once made, stays where it
// is until the document goes, so references to it stay good.
class CcxDocument {
public:
    // Full path of the file being edited; empty while no document is open.
    std::string fileName;
    // Highest level number of the set (0 to 999); the writer writes levels 1
    // to levelCount, empty ones included.
    std::int16_t levelCount = 0;

    // The set's fields, each shown by its control in the editor window.
    std::string description;
    std::string author;
    CompatChoice msChoice = CompatChoice::Ignore;
    CompatChoice lynxChoice = CompatChoice::Ignore;
    CompatChoice pedanticChoice = CompatChoice::Ignore;
    bool hasDefaultColors = false;
    ColorValue defaultBackColor = 0x000000;
    ColorValue defaultFontColor = 0xFFFFFF;

    // True for 1 to 999.
    static bool isLevelNumber(int number) { return number >= 1 && number <= kMaxCcxLevels; }

    // Level 1 to 999.
    CcxLevel& level(int number) { return m_levels.level(number); }
    const CcxLevel& level(int number) const { return m_levels.level(number); }

    // No file, no levels, empty set fields, every choice Ignore, no default
    // colours, every level cleared. The default colours and the pages'
    // colours stay as they are.
    void reset();
    // Every level above the number becomes a new, empty level (its pages'
    // colours 0 as well).
    void dropLevelsAbove(int number) { m_levels.dropAbove(number); }

    bool operator==(const CcxDocument&) const = default;

private:
    // Levels 1 to size() made so far; null ones and those above read empty.
    class LevelTable {
    public:
        LevelTable() = default;
        LevelTable(const LevelTable& other);
        LevelTable& operator=(const LevelTable& other);
        LevelTable(LevelTable&&) noexcept = default;
        LevelTable& operator=(LevelTable&&) noexcept = default;
        ~LevelTable() = default;

        CcxLevel& level(int number);
        const CcxLevel& level(int number) const;
        void clearAll();
        void dropAbove(int number);

        bool operator==(const LevelTable& other) const;

    private:
        std::vector<std::unique_ptr<CcxLevel>> m_made;
    };

    LevelTable m_levels;
};

} // namespace tessaro
