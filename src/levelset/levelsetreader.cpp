#include "levelset/levelsetreader.h"

#include "common/paths.h"
#include "common/textfile.h"

#include <algorithm>

namespace tessaro {

namespace {

constexpr std::string_view kMsSignature("\xAC\xAA\x02\x00", 4);
constexpr std::string_view kLynxSignature("\xAC\xAA\x02\x01", 4);

enum FieldType : unsigned char { kTitle = 3, kPassword = 6, kHint = 7, kUncodedPassword = 8 };

std::uint16_t word(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// Reads one level from the bytes between its start and its end (the file
// cut at the level's end), recording what does not fit.
class LevelReader {
public:
    LevelReader(std::string_view bytes, std::size_t position,
                std::vector<LevelSetProblem>& problems)
        : m_bytes(bytes), m_position(position), m_problems(problems) {}

    void read(std::size_t start, LevelSetLevel& level) {
        m_at = start;
        if (!readWord(level.number) || !readWord(level.timeLimit) ||
            !readWord(level.chipsRequired) || !skip(2))
            return problem(start,
                           "the level ends inside its number, time limit, chips or map detail");
        for (const char* layer : {"top", "bottom"}) {
            const auto sizeAt = m_at;
            std::uint16_t size = 0;
            if (!readWord(size))
                return problem(sizeAt,
                               std::string("the level ends before its ") + layer + " layer's size");
            if (!skip(size))
                return problem(sizeAt, std::string("the ") + layer +
                                           " layer's size points past the level's end");
        }
        const auto fieldsAt = m_at;
        std::uint16_t fieldsSize = 0;
        if (!readWord(fieldsSize))
            return problem(fieldsAt, "the level ends before the size of its optional fields");
        const auto left = m_bytes.size() - m_at;
        if (fieldsSize != left)
            problem(fieldsAt, "the optional fields' size (" + std::to_string(fieldsSize) +
                                  ") disagrees with the level's remaining " + std::to_string(left) +
                                  " bytes");
        readFields(std::min(m_at + fieldsSize, m_bytes.size()), level);
    }

private:
    void readFields(std::size_t end, LevelSetLevel& level) {
        bool coded = false;
        while (m_at < end) {
            const auto fieldAt = m_at;
            if (end - m_at < 2)
                return problem(fieldAt, "the optional fields end inside a field's type and length");
            const auto type = static_cast<unsigned char>(m_bytes[m_at]);
            const auto length = static_cast<unsigned char>(m_bytes[m_at + 1]);
            m_at += 2;
            if (length > end - m_at)
                return problem(fieldAt,
                               "field " + std::to_string(type) + "'s length points past " +
                                   (end == m_bytes.size() ? "the level's end"
                                                          : "the end of the optional fields"));
            const auto data = m_bytes.substr(m_at, length);
            m_at += length;
            switch (type) {
            case kTitle:
                level.title = text(data, fieldAt, "title");
                break;
            case kHint:
                level.hint = text(data, fieldAt, "hint");
                break;
            case kPassword:
                level.password = text(data, fieldAt, "password");
                for (char& c : level.password)
                    c = static_cast<char>(c ^ '\x99');
                level.passwordOffset = fieldAt;
                coded = true;
                break;
            case kUncodedPassword:
                if (coded)
                    break;
                level.password = text(data, fieldAt, "password");
                level.passwordOffset = fieldAt;
                break;
            default:
                break; // time, wiring and monsters are the game's business
            }
        }
    }

    std::string text(std::string_view data, std::size_t fieldAt, const char* what) {
        const auto nul = data.find('\0');
        if (nul == std::string_view::npos)
            problem(fieldAt, std::string("the ") + what + " does not end in a NUL");
        return std::string(data.substr(0, nul));
    }

    bool readWord(std::uint16_t& value) {
        if (m_bytes.size() - m_at < 2)
            return false;
        value = word(m_bytes, m_at);
        m_at += 2;
        return true;
    }

    bool skip(std::size_t count) {
        if (m_bytes.size() - m_at < count)
            return false;
        m_at += count;
        return true;
    }

    void problem(std::size_t offset, std::string what) {
        m_problems.push_back({m_position, offset, std::move(what)});
    }

    std::string_view m_bytes;
    std::size_t m_position;
    std::vector<LevelSetProblem>& m_problems;
    std::size_t m_at = 0;
};

} // namespace

bool startsWithLevelSetSignature(std::string_view bytes) {
    return bytes.starts_with(kMsSignature) || bytes.starts_with(kLynxSignature);
}

std::string notALevelSetMessage(std::string_view name) {
    return std::string(name) + " is not a level set (it does not start with a level-set signature)";
}

ReadResult<LevelSet> parseLevelSet(std::string_view bytes) {
    if (!startsWithLevelSetSignature(bytes))
        return ReadError::atOffset(0, "the file does not start with a level-set signature");
    if (bytes.size() < 6)
        return ReadError::atOffset(4, "the file ends before its number of levels");
    LevelSet set;
    set.ruleset = bytes.starts_with(kLynxSignature) ? Ruleset::Lynx : Ruleset::MS;
    set.declaredLevelCount = word(bytes, 4);
    auto problem = [&](std::size_t position, std::size_t offset, std::string what) {
        set.problems.push_back({position, offset, std::move(what)});
    };
    std::size_t at = 6;
    for (std::size_t position = 1; position <= set.declaredLevelCount; ++position) {
        if (at == bytes.size()) {
            problem(position, at,
                    "the file ends before this level; its header gives " +
                        std::to_string(set.declaredLevelCount) + " levels");
            break;
        }
        if (bytes.size() - at < 2) {
            problem(position, at, "the file ends inside the level's size");
            at = bytes.size();
            break;
        }
        std::size_t end = at + 2 + word(bytes, at);
        if (end > bytes.size()) {
            problem(position, at, "the level's size points past the end of the file");
            end = bytes.size();
        }
        LevelSetLevel level;
        level.offset = at;
        LevelReader(bytes.substr(0, end), position, set.problems).read(at + 2, level);
        set.levels.push_back(std::move(level));
        at = end;
    }
    if (at < bytes.size())
        problem(set.declaredLevelCount + 1, at,
                "the file goes on after the last of the " + std::to_string(set.declaredLevelCount) +
                    " levels its header gives");
    return set;
}

ReadResult<LevelSet> readLevelSet(const std::string& path) {
    const auto bytes = readFileBytes(toPath(path));
    if (!bytes)
        return ReadError::unreadable("cannot read " + path);
    return parseLevelSet(*bytes);
}

} // namespace tessaro
