// Score INI: a section loaded into the INI File Editor, edited by list
// operations the input chooses, and saved in place keeps every line the load
// kept: the other sections line for line and in order, the section's own
// extra and unlisted lines. Loaded again, the file gives what the editor held,
// and so does the section saved alone to a new file (Save As).
// A save that is refused leaves the file as it was.

#include "common/codepage.h"
#include "common/textfile.h"
#include "fuzzcheck.h"
#include "score_ini/inieditor.h"
#include "scriptedplatform.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using tessaro::fuzz::check;
namespace fs = std::filesystem;

// The score file lives in a folder of its own under TMPDIR (fuzz/run points
// that into memory, /dev/shm, where the saves' flushes cost nothing), removed
// when the run ends.
struct ScratchFolder {
    fs::path folder =
        fs::temp_directory_path() / ("tessaro-fuzz-scoreini-" + std::to_string(getpid()));
    ScratchFolder() { fs::create_directories(folder); }
    ~ScratchFolder() {
        std::error_code error;
        fs::remove_all(folder, error);
    }
};

fs::path scoreFile() {
    static const ScratchFolder scratch;
    return scratch.folder / "scores.ini";
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The lines of the edited section that loading keeps as they are: lines that
// are not level lines (those the editor lists are rebuilt from its model) or
// "Current Score" lines, except the first "Highest Level" line, whose count
// every save rewrites; and level lines that are not "Level" + 1 to 999 + "=".
std::vector<std::string> keptSectionLines(const std::vector<std::string>& section) {
    std::vector<std::string> kept;
    bool highestSeen = false;
    for (const auto& line : section) {
        if (line.empty())
            continue;
        if (startsWith(line, "Level") && !startsWith(line, "LevelC")) {
            const auto equals = line.find('=');
            const auto digits = line.substr(5, equals == std::string::npos ? 0 : equals - 5);
            const bool listed = equals != std::string::npos && !digits.empty() &&
                                digits.size() <= 3 && digits[0] != '0' &&
                                digits.find_first_not_of("0123456789") == std::string::npos;
            if (!listed)
                kept.push_back(line);
            continue;
        }
        if (startsWith(line, "Current Score"))
            continue;
        if (!highestSeen && line.substr(0, line.find('=')) == "Highest Level") {
            highestSeen = true;
            continue;
        }
        kept.push_back(line);
    }
    return kept;
}

bool isSubsequence(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
    auto at = whole.begin();
    for (const auto& line : part) {
        at = std::find(at, whole.end(), line);
        if (at == whole.end())
            return false;
        ++at;
    }
    return true;
}

bool includesAll(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
    std::map<std::string, long> count;
    for (const auto& line : whole)
        ++count[line];
    return std::all_of(part.begin(), part.end(),
                       [&count](const std::string& line) { return count[line]-- > 0; });
}

void runOperations(FuzzedDataProvider& input, tessaro::IniEditor& editor,
                   tessaro::test::ScriptedPlatform& platform) {
    const int operations = input.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < operations; ++i) {
        switch (input.ConsumeIntegralInRange(0, 8)) {
        case 0:
            editor.select(input.ConsumeIntegralInRange<std::size_t>(0, editor.entryCount()));
            break;
        case 1:
            editor.insertBefore();
            break;
        case 2:
            editor.insertAfter();
            break;
        case 3:
            editor.moveUp();
            break;
        case 4:
            editor.moveDown();
            break;
        case 5:
            editor.deleteEntry();
            break;
        case 6:
            editor.deleteScore();
            break;
        case 7:
            platform.lineInputs.push_back(input.ConsumeRandomLengthString(8));
            editor.changeTime();
            break;
        default:
            platform.lineInputs.push_back(input.ConsumeRandomLengthString(12));
            editor.changePassword();
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto headerChoice = input.ConsumeIntegral<std::uint8_t>();
    tessaro::test::ScriptedPlatform platform;
    tessaro::IniEditor editor(platform);
    // The operations come from the input's end, the file from what is left.
    const std::string script = input.ConsumeBytesAsString(input.ConsumeIntegralInRange(0, 64));
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const auto lines = tessaro::splitLines(bytes);

    std::vector<std::size_t> headers;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (startsWith(lines[i], "[") && lines[i].size() >= 2 && lines[i].back() == ']')
            headers.push_back(i);
    if (headers.empty())
        return 0;
    const auto& header = lines[headers[headerChoice % headers.size()]];
    const std::string gameName = header.substr(1, header.size() - 2);
    {
        std::ofstream out(scoreFile(), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    editor.iniFileName = scoreFile().string();
    editor.setName = tessaro::fromWindows1252(gameName);
    editor.getInfo();
    check(editor.editingEnabled(), "a section with a header was not loaded");

    FuzzedDataProvider operations(reinterpret_cast<const std::uint8_t*>(script.data()),
                                  script.size());
    runOperations(operations, editor, platform);
    const auto messagesBefore = platform.messages.size();
    editor.save();
    const auto read = tessaro::readFileBytes(scoreFile());
    const std::string saved = read ? read->str() : std::string();
    if (platform.messages.size() > messagesBefore) {
        check(platform.messages.back().text == tessaro::IniEditor::kTooManySections,
              "the save failed");
        check(saved == bytes, "a refused save changed the file");
        return 0;
    }

    // The loaded section runs from its first header to the next header.
    // Every other line stays in order, those of later sections under the
    // same header (which the save puts after the edited one) among themselves.
    std::vector<std::string> others, sameHeader, section;
    bool loadedSeen = false;
    std::vector<std::string>* part = &others;
    for (const auto& line : lines) {
        if (startsWith(line, "[")) {
            part = line != header ? &others : loadedSeen ? &sameHeader : &section;
            loadedSeen = loadedSeen || line == header;
            if (part == &section)
                continue;
        }
        part->push_back(line);
    }
    const auto savedLines = tessaro::splitLines(saved);
    check(isSubsequence(others, savedLines), "a line of another section was lost or moved");
    check(isSubsequence(sameHeader, savedLines), "a line of a repeated section was lost or moved");
    auto kept = keptSectionLines(section);
    kept.insert(kept.end(), others.begin(), others.end());
    kept.insert(kept.end(), sameHeader.begin(), sameHeader.end());
    check(includesAll(kept, savedLines), "a line the load kept was lost");

    const auto& held = *editor.section();
    const auto reloaded = tessaro::parseScoreSection(saved, gameName);
    check(reloaded.ok(), "the saved section is not found again");
    auto entries = held.levelEntries;
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.number != b.number ? a.number < b.number : a.value < b.value;
    });
    check(reloaded->levelEntries == entries, "the saved level lines read back differently");
    check(reloaded->extraLines == held.extraLines, "the saved extra lines read back differently");
    check(reloaded->unlistedLines == held.unlistedLines,
          "the saved unlisted lines read back differently");
    check(reloaded->currentScore == held.currentScore, "the saved score reads back differently");

    // Save As writes the section alone, and it reads back the same.
    auto alone = held;
    const auto aloneFile = scoreFile().parent_path() / "alone.ini";
    check(tessaro::SaveSectionToFile(alone, aloneFile.string()), "Save As failed");
    const auto aloneRead = tessaro::readFileBytes(aloneFile);
    const auto aloneBack =
        tessaro::parseScoreSection(aloneRead ? aloneRead->view() : std::string_view(), gameName);
    check(aloneBack && aloneBack->levelEntries == entries &&
              aloneBack->extraLines == held.extraLines &&
              aloneBack->unlistedLines == held.unlistedLines,
          "the section saved alone reads back differently");
    return 0;
}
