#include "ccx/ccxreader.h"

#include "ccx/carriedtext.h"
#include "ccx/htmlcolor.h"
#include "common/numbers.h"
#include "common/textfile.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

namespace tessaro {

namespace {

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The text without any of part: the text itself when it holds none, else
// built in `scratch` (which must not be what text points into), whose memory
// the next use takes again.
std::string_view removeAll(std::string_view text, std::string_view part, std::string& scratch) {
    auto found = text.find(part);
    if (found == std::string_view::npos)
        return text;
    scratch.clear();
    std::size_t start = 0;
    for (; found != std::string_view::npos; found = text.find(part, start)) {
        scratch.append(text.substr(start, found - start));
        start = found + part.size();
    }
    scratch.append(text.substr(start));
    return scratch;
}

std::string removeAll(std::string_view text, std::string_view part) {
    std::string result;
    if (removeAll(text, part, result).data() == text.data())
        result = text;
    return result;
}

// The text with each lone CR or LF as CR LF (its line breaks counted
// beforehand), appended into memory sized for it.
void appendWithCrLf(std::string& out, std::string_view text, const LineBreakCounts& breaks) {
    // A text read in several pieces grows its memory twofold.
    const auto size = out.size() + text.size() + breaks.loneCr + breaks.loneLf;
    if (size > out.capacity())
        out.reserve(out.empty() ? size : std::max(size, 2 * out.capacity()));
    if (breaks.loneCr == 0 && breaks.loneLf == 0) {
        out.append(text);
        return;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        out.append(text.substr(start, i - start)).append("\r\n");
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    out.append(text.substr(start));
}

// The text between the first double quote and the next one (or the end).
std::string_view firstQuoted(std::string_view text) {
    const auto open = text.find('"');
    if (open == std::string_view::npos)
        return {};
    const auto close = text.find('"', open + 1);
    return text.substr(open + 1,
                       close == std::string_view::npos ? std::string_view::npos : close - open - 1);
}

// Nothing but spaces and tabs: a line whose loss loses nothing.
bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Hands out the lines of a text one by one; CR LF, a lone CR and a lone LF
// each end a line, and a final line end makes no extra empty line. The text
// is a whole one in memory, or a file or text fed block by block into one
// buffer used again, which then holds the line being read and what follows
// it in its block: a line handed out stays valid until the next call.
class LineCursor {
public:
    explicit LineCursor(std::string_view bytes) : m_bytes(bytes), m_done(true) {}
    LineCursor(std::function<std::ptrdiff_t(char*, std::size_t)> readSome, std::size_t blockSize)
        : m_readSome(std::move(readSome)), m_blockSize(std::max<std::size_t>(blockSize, 1)) {}

    std::optional<std::string_view> next() {
        if (m_at >= m_bytes.size() && !refill())
            return std::nullopt;
        auto end = lineEnd(m_at);
        // A line that goes on into the next block, or a CR whose LF may.
        while ((end == m_bytes.size() || (end + 1 == m_bytes.size() && m_bytes[end] == '\r')) &&
               !m_done) {
            const auto scanned = end - m_at;
            refill();
            end = lineEnd(m_at + scanned);
        }
        const auto start = m_at;
        m_at = end;
        skipLineEnd();
        ++m_line;
        return m_bytes.substr(start, end - start);
    }

    // Goes on after bytes the caller has read by itself: `lines` more lines
    // end before `end`, where the next byte to read is.
    void skip(std::size_t lines, std::size_t end) {
        m_at = end;
        m_line += lines;
    }
    // Steps over a line end at the cursor.
    void skipLineEnd() {
        if (m_at + 1 == m_bytes.size() && m_bytes[m_at] == '\r')
            refill();
        if (m_at < m_bytes.size()) {
            const bool crLf =
                m_bytes[m_at] == '\r' && m_at + 1 < m_bytes.size() && m_bytes[m_at + 1] == '\n';
            m_at += crLf ? 2 : 1;
        }
    }

    // Drops the bytes before the cursor and reads more after the rest; false
    // when nothing more comes. Offsets then count from the cursor, which is
    // at 0.
    bool refill() {
        if (m_done)
            return false;
        const auto kept = m_bytes.size() - m_at;
        // Grown only for a line that fills much of the buffer by itself.
        if (m_capacity - kept < std::max<std::size_t>(m_blockSize / 2, 1)) {
            m_capacity = std::max(2 * m_capacity, kept + m_blockSize);
            auto larger = std::make_unique_for_overwrite<char[]>(m_capacity);
            std::copy_n(m_bytes.data() + m_at, kept, larger.get());
            m_buffer = std::move(larger);
        } else if (kept > 0) {
            std::memmove(m_buffer.get(), m_bytes.data() + m_at, kept);
        }
        m_at = 0;
        m_nextCr = m_nextLf = kUnknown;
        const auto got = m_readSome(m_buffer.get() + kept, m_capacity - kept);
        m_failed = got < 0;
        m_done = got <= 0;
        m_bytes = {m_buffer.get(),
                   kept + static_cast<std::size_t>(std::max<std::ptrdiff_t>(got, 0))};
        return got > 0;
    }

    // The number of the line last handed out (0 before the first).
    std::size_t line() const { return m_line; }
    // Where the next line starts.
    std::size_t offset() const { return m_at; }
    // The bytes at hand; those from the cursor on are the text's next ones.
    std::string_view bytes() const { return m_bytes; }
    // True when the bytes at hand are the last of the text.
    bool atLastBlock() const { return m_done; }
    // True when the file could not be read to its end.
    bool failed() const { return m_failed; }

private:
    // The first line end at or after from, or the size when there is none.
    std::size_t lineEnd(std::size_t from) {
        // Most lines of the file are short tags, best found byte by byte;
        // long ones are left to memchr.
        const auto quickEnd = std::min(m_bytes.size(), from + 64);
        auto end = from;
        while (end < quickEnd && !isLineEnd(m_bytes[end]))
            ++end;
        if (end == quickEnd && end < m_bytes.size())
            end = std::min(nextOf('\r', end, m_nextCr), nextOf('\n', end, m_nextLf));
        return end;
    }

    // The position of the next c at or after from (the size when there is
    // none); each search starts where the last one for c stopped, so the
    // bytes are scanned once.
    std::size_t nextOf(char c, std::size_t from, std::size_t& cached) {
        if (cached < from || cached == kUnknown) {
            const void* found = std::memchr(m_bytes.data() + from, c, m_bytes.size() - from);
            cached =
                found ? static_cast<std::size_t>(static_cast<const char*>(found) - m_bytes.data())
                      : m_bytes.size();
        }
        return cached;
    }

    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
    std::string_view m_bytes;
    std::size_t m_at = 0;
    std::size_t m_line = 0;
    std::size_t m_nextCr = kUnknown;
    std::size_t m_nextLf = kUnknown;
    std::function<std::ptrdiff_t(char*, std::size_t)> m_readSome;
    std::size_t m_blockSize = 0;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_capacity = 0;
    bool m_done = false;
    bool m_failed = false;
};

class Reader {
public:
    Reader(LineCursor& lines, CcxFileContents& contents)
        : m_lines(lines), m_document(contents.document), m_numbers(contents.levelNumbers),
          m_repeated(contents.repeatedLevels), m_unread(contents.unreadLines) {}

    bool read() {
        if (!readHeader() || !readBody())
            return false;
        std::sort(m_numbers.begin(), m_numbers.end());
        std::sort(m_unread.begin(), m_unread.end());
        return true;
    }
    const ReadError& error() const { return m_error; }

private:
    bool fail(std::string problem) {
        m_error = ReadError::atLine(std::max<std::size_t>(m_lines.line(), 1), std::move(problem));
        return false;
    }
    bool failAtEnd() { return fail("the file ends before the line \"</levelset>\""); }
    // The line last handed out is neither kept nor one the writer writes in
    // its place: saving drops it.
    void skipLine(std::string_view line) {
        if (!isBlank(line))
            m_unread.push_back(m_lines.line());
    }

    bool readHeader();
    bool readHeaderLine(std::string_view line);
    bool readSetValue(std::string_view line, std::string_view key, std::string_view what,
                      std::string& value);
    bool readColorsLine(std::string_view line);
    bool readBody();
    bool readBodyLine(std::string_view line, bool& done);
    bool readLevelStart(std::string_view line);
    bool readPane(CcxPane pane);
    bool readPageText(std::string& text);
    bool readTextAfterPage(std::string& text, std::optional<std::string_view>& next);
    bool readPageColor(std::string_view line, std::string_view name, ColorValue& color);

    LineCursor& m_lines;
    CcxDocument& m_document;
    std::vector<std::int16_t>& m_numbers;
    std::vector<CcxRepeatedLevel>& m_repeated;
    std::vector<std::size_t>& m_unread;
    // The line of the last level start of each number; 0 for none yet. It
    // grows to the highest number read.
    std::vector<std::size_t> m_startLine;
    ReadError m_error;
    std::string m_pendingTitle;
    std::string m_scratch[5];
    std::string m_afterText;
    // The line of a title comment that no level start has taken yet, 0 for
    // none: another comment before the next level start replaces it.
    std::size_t m_pendingTitleLine = 0;
    std::int16_t m_level = 0; // the last level start, 0 before the first
    // A non-empty line where the writer puts its empty line after ">" is
    // read as part of the body rather than thrown away.
    std::optional<std::string_view> m_firstBodyLine;
};

bool Reader::readHeader() {
    const auto first = m_lines.next();
    if (!first)
        return failAtEnd();
    if (*first != "<levelset")
        skipLine(*first);
    for (int i = 0; i < 6; ++i) {
        const auto line = m_lines.next();
        if (!line)
            return failAtEnd();
        if (*line == ">")
            break;
        if (!readHeaderLine(*line))
            return false;
    }
    const auto afterHeader = m_lines.next();
    if (!afterHeader)
        return failAtEnd();
    if (!afterHeader->empty())
        m_firstBodyLine = afterHeader;
    return true;
}

bool Reader::readHeaderLine(std::string_view line) {
    // The author's closing quote may complete a "description=" its text ends
    // in: such a line is the author's, whose key comes first.
    const auto description = line.find("description=\"");
    if (description != std::string_view::npos && description < line.find("author=\""))
        return readSetValue(line, "description=\"", "set description", m_document.description);
    if (contains(line, "author=\""))
        return readSetValue(line, "author=\"", "set author", m_document.author);
    if (contains(line, "format=\"html\"")) // the writer's own
        return true;
    const bool compat =
        contains(line, "lynx=\"") || contains(line, "pedantic=\"") || contains(line, "ms=\"");
    if (!compat) {
        if (contains(line, "color=\"#"))
            return readColorsLine(line);
        skipLine(line);
        return true;
    }
    m_document.msChoice = readCompatChoice(line, "ms");
    m_document.lynxChoice = readCompatChoice(line, "lynx");
    m_document.pedanticChoice = readCompatChoice(line, "pedantic");
    return true;
}

// The value runs from the opening quote to the line's last character, which
// is taken to be the closing quote.
bool Reader::readSetValue(std::string_view line, std::string_view key, std::string_view what,
                          std::string& value) {
    const auto rest = line.substr(line.find(key) + key.size());
    if (rest.empty())
        return fail("the " + std::string(what) + " has nothing after its opening quote");
    value = carriedSetText(textOfAttribute(rest.substr(0, rest.size() - 1)));
    return true;
}

bool Reader::readColorsLine(std::string_view line) {
    const std::string joined = removeAll(line, "\t");
    m_document.hasDefaultColors = true;
    const std::string_view text = joined;
    const auto space = text.find(' ');
    if (space == std::string_view::npos)
        return fail("the default colors line needs a bgcolor and a color attribute "
                    "separated by a space");
    const auto secondEnd = text.find(' ', space + 1);
    const std::string_view words[] = {text.substr(0, space),
                                      text.substr(space + 1, secondEnd == std::string_view::npos
                                                                 ? std::string_view::npos
                                                                 : secondEnd - space - 1)};
    for (const auto word : words) {
        const std::string bare = removeAll(word, "\"");
        if (contains(word, "bgcolor"))
            m_document.defaultBackColor = parseHtmlColor(removeAll(bare, "bgcolor=#"));
        else
            m_document.defaultFontColor = parseHtmlColor(removeAll(bare, "color=#"));
    }
    return true;
}

bool Reader::readBody() {
    bool done = false;
    if (m_firstBodyLine && !readBodyLine(*m_firstBodyLine, done))
        return false;
    while (!done) {
        const auto line = m_lines.next();
        if (!line)
            return failAtEnd();
        if (!readBodyLine(*line, done))
            return false;
    }
    if (m_numbers.empty())
        return fail("the file holds no level");
    if (m_pendingTitleLine != 0)
        m_unread.push_back(m_pendingTitleLine);
    // Nothing after the end is read.
    while (const auto line = m_lines.next())
        skipLine(*line);
    return true;
}

bool Reader::readBodyLine(std::string_view line, bool& done) {
    if (line == "</levelset>") {
        done = true;
        return true;
    }
    if (contains(line, "<!-- ")) {
        if (m_pendingTitleLine != 0)
            m_unread.push_back(m_pendingTitleLine);
        m_pendingTitleLine = m_lines.line();
        const auto title = removeAll(removeAll(line, "<!-- ", m_scratch[0]), " -->", m_scratch[1]);
        // Into the memory the last title had, unless it must be rewritten.
        if (titleIsCarried(title))
            m_pendingTitle.assign(title);
        else
            m_pendingTitle = carriedTitle(title);
        return true;
    }
    if (line.starts_with("<level number"))
        return readLevelStart(line);
    if (line == "<prologue>" || line == "<epilogue>") {
        if (m_level == 0) {
            std::string problem = "\"";
            problem.append(line);
            problem += "\" comes before the first level";
            return fail(std::move(problem));
        }
        return readPane(line == "<prologue>" ? CcxPane::Prologue : CcxPane::Epilogue);
    }
    if (line != "</level>")
        skipLine(line);
    return true;
}

bool Reader::readLevelStart(std::string_view line) {
    const auto open = line.find('"');
    const auto close = open == std::string_view::npos ? open : line.find('"', open + 1);
    if (close == std::string_view::npos || close == open + 1)
        return fail("the level number is missing");
    const auto numberText = line.substr(open + 1, close - open - 1);
    const auto number = toInt16(numberText);
    if (!number)
        return fail("the level number \"" + std::string(numberText) + "\" is not a number");
    if (!CcxDocument::isLevelNumber(*number))
        return fail("the level number " + std::to_string(*number) + " is not between 1 and 999");

    m_level = *number;
    m_pendingTitleLine = 0;
    const auto index = static_cast<std::size_t>(m_level);
    if (m_startLine.size() <= index)
        m_startLine.resize(index + 1, 0);
    auto& start = m_startLine[index];
    if (start == 0)
        m_numbers.push_back(m_level);
    else
        m_repeated.push_back({m_level, start, m_lines.line()});
    start = m_lines.line();

    // A repeated level start replaces what the earlier one said.
    auto& level = m_document.level(m_level);
    level.title = m_pendingTitle; // a level without a comment takes the last title read
    level.author.clear();
    level.compatAttributes.clear();
    // Every level that is listed is also saved, even one whose "</level>"
    // line is missing.
    m_document.levelCount = std::max(m_document.levelCount, m_level);

    // The line is taken apart in the reader's scratch strings, which keep
    // their memory from level to level.
    auto& numberPart = m_scratch[0];
    numberPart.assign("<level number=\"").append(std::to_string(m_level)).append("\" ");
    const auto rest = removeAll(line, numberPart, m_scratch[1]);
    std::string_view author;
    if (contains(line, "author="))
        author = firstQuoted(rest);
    // An author may end in "lynx=" and the like, which its closing quote
    // completes: the rulesets are looked for outside the author attribute.
    auto& authorAttribute = m_scratch[2];
    authorAttribute.assign("author=\"").append(author).append("\"");
    const auto outsideAuthor = removeAll(rest, authorAttribute, m_scratch[3]);
    if (contains(outsideAuthor, "pedantic=\"") || contains(outsideAuthor, "ms=\"") ||
        contains(outsideAuthor, "lynx=\"")) {
        authorAttribute += ' ';
        const auto attributes = removeAll(rest, authorAttribute, m_scratch[3]);
        level.compatAttributes = carriedCompatAttributes(removeAll(attributes, ">", m_scratch[4]));
    }
    level.author = contains(author, "&") ? carriedLevelAuthor(textOfAttribute(author))
                                         : carriedLevelAuthor(author);
    return true;
}

bool Reader::readPane(CcxPane pane) {
    const bool prologue = pane == CcxPane::Prologue;
    const std::string_view endTag = prologue ? "</prologue>" : "</epilogue>";
    // A second element of the same pane, or of a level named twice, adds
    // its pages after the ones already read.
    auto& list = m_document.level(m_level).pane(pane);
    auto line = m_lines.next();
    while (true) {
        if (!line)
            return failAtEnd();
        if (*line == endTag)
            return true;
        if (!line->starts_with("<page")) {
            skipLine(*line);
            line = m_lines.next();
            continue;
        }
        if (list.count >= kMaxCcxPages)
            return fail("level " + std::to_string(m_level) + " has more than 10 pages in its " +
                        (prologue ? "prologue" : "epilogue"));
        ++list.count;
        auto& page = list.page(list.count);
        if (contains(*line, "bgcolor")) {
            if (!readPageColor(*line, "bgcolor", page.backColor))
                return false;
            page.hasOwnColors = 1;
        }
        if (contains(*line, " color")) {
            if (!readPageColor(*line, " color", page.fontColor))
                return false;
            page.hasOwnColors = 1;
        }
        const auto cdata = m_lines.next();
        if (!cdata)
            return failAtEnd();
        if (*cdata != "<![CDATA[")
            skipLine(*cdata);
        if (!readPageText(page.text) || !readTextAfterPage(page.text, line))
            return false;
    }
}

// Lines after "]]>" up to "</page>" belong to the page as well (other tools
// put HTML there): they are added to its text on lines of their own, without
// the blank lines around them. A line that starts a page or ends the pane
// ends them too, so a missing "</page>" does no harm; that line is left in
// `next` for the pane.
bool Reader::readTextAfterPage(std::string& text, std::optional<std::string_view>& next) {
    m_afterText.clear();
    std::size_t kept = 0; // up to the last line that is not blank
    while (true) {
        next = m_lines.next();
        if (!next)
            return failAtEnd();
        if (*next == "</page>" || next->starts_with("<page") || next->starts_with("</prologue>") ||
            next->starts_with("</epilogue>"))
            break;
        if (isBlank(*next)) {
            if (kept == 0)
                continue;
        } else {
            kept = m_afterText.size() + 2 + next->size();
        }
        m_afterText.append("\r\n").append(*next);
    }
    if (*next == "</page>")
        next = m_lines.next();
    if (kept == 0)
        return true;
    text.append(m_afterText, 0, kept);
    // A line "]]>" among its lines would end the page once written.
    if (!pageTextIsCarried(text))
        text = carriedPageText(text);
    return true;
}

// The text runs from the line after "<![CDATA[" (whatever it holds) to the
// line before the next line "]]>", its lines joined by CR LF. The text is
// found in the bytes as a whole, not line by line, and taken in one piece for
// each block it spans where its lines end in CR LF throughout; the text then
// needs nothing done to be carried, since the first line "]]>" after its
// first line ends it.
bool Reader::readPageText(std::string& text) {
    text.clear();
    // A line "]]>" may start here at the earliest, after the text's first
    // line; 0 once that is behind.
    auto earliest = m_lines.offset() + 1;
    std::size_t lines = 0;
    bool lastIsBreak = true; // the text read so far is empty or ends a line
    while (true) {
        const auto bytes = m_lines.bytes();
        const auto start = m_lines.offset();
        const bool last = m_lines.atLastBlock();
        std::size_t cut = bytes.size();
        for (auto found = bytes.find("]]>", std::max(start + 1, earliest));
             found != std::string_view::npos; found = bytes.find("]]>", found + 1)) {
            const auto after = found + 3;
            if (!isLineEnd(bytes[found - 1]))
                continue;
            if (after == bytes.size() && !last) {
                cut = found; // decided by the next block
                break;
            }
            if (after < bytes.size() && !isLineEnd(bytes[after]))
                continue;
            auto end = found - 1;
            if (bytes[end] == '\n' && end > start && bytes[end - 1] == '\r')
                --end;
            const auto piece = bytes.substr(start, end - start);
            const auto breaks = countLineBreaks(piece);
            // No line of the piece is "]]>" after the text's first: only its
            // line ends can need carrying.
            appendWithCrLf(text, piece, breaks);
            // The text's lines and the line "]]>".
            m_lines.skip(lines + breaks.crLf + breaks.loneCr + breaks.loneLf + 2, after);
            m_lines.skipLineEnd();
            return true;
        }
        if (last)
            break;
        // The last line end and the few bytes after it wait for the next
        // block, which decides whether a line "]]>" starts there.
        for (auto at = cut; at > start && at + 4 > bytes.size(); --at) {
            if (isLineEnd(bytes[at - 1])) {
                cut = at - 1;
                if (bytes[cut] == '\n' && cut > start && bytes[cut - 1] == '\r')
                    --cut;
                break;
            }
        }
        const auto piece = bytes.substr(start, cut - start);
        const auto breaks = countLineBreaks(piece);
        appendWithCrLf(text, piece, breaks);
        lines += breaks.crLf + breaks.loneCr + breaks.loneLf;
        if (!piece.empty())
            lastIsBreak = isLineEnd(piece.back());
        m_lines.skip(0, cut);
        earliest = earliest > cut ? earliest - cut : 0;
        m_lines.refill();
    }
    // No line "]]>": the error names the file's last line.
    const auto rest = m_lines.bytes().substr(m_lines.offset());
    const auto breaks = countLineBreaks(rest);
    lines += breaks.crLf + breaks.loneCr + breaks.loneLf;
    if (!rest.empty())
        lastIsBreak = isLineEnd(rest.back());
    m_lines.skip(lines + (lastIsBreak ? 0 : 1), m_lines.bytes().size());
    return failAtEnd();
}

bool Reader::readPageColor(std::string_view line, std::string_view name, ColorValue& color) {
    const std::string key = std::string(name) + "=\"#";
    const auto found = line.find(key);
    const auto start = found == std::string_view::npos ? found : found + key.size();
    const auto close = found == std::string_view::npos ? found : line.find('"', start);
    if (close == std::string_view::npos) {
        const auto attribute = name.substr(name.starts_with(' ') ? 1 : 0);
        return fail("the page's " + std::string(attribute) + " attribute is not of the form " +
                    std::string(attribute) + "=\"#RRGGBB\"");
    }
    color = parseHtmlColor(line.substr(start, close - start));
    return true;
}

ReadResult<CcxFileContents> readCcx(LineCursor& lines, CcxDocument document) {
    CcxFileContents contents{std::move(document), {}, {}, {}};
    Reader reader(lines, contents);
    const bool read = reader.read();
    // A file that fails to be read part of the way is not read at all.
    if (lines.failed())
        return ReadError::unreadable("the file cannot be read");
    if (!read)
        return reader.error();
    return contents;
}

} // namespace

ReadResult<CcxFileContents> parseCcxFile(std::string_view bytes, CcxDocument document,
                                         std::size_t blockSize) {
    if (blockSize >= bytes.size()) {
        LineCursor lines(bytes);
        return readCcx(lines, std::move(document));
    }
    LineCursor lines(
        [&bytes](char* data, std::size_t size) {
            const auto piece = bytes.substr(0, size);
            std::copy(piece.begin(), piece.end(), data);
            bytes.remove_prefix(piece.size());
            return static_cast<std::ptrdiff_t>(piece.size());
        },
        blockSize);
    return readCcx(lines, std::move(document));
}

ReadResult<CcxFileContents> readCcxFile(const std::filesystem::path& path, CcxDocument document,
                                        BytesHash* hash, std::size_t blockSize) {
    InputFile file(path);
    if (!file.isOpen())
        return ReadError::unreadable("the file cannot be read");
    LineCursor lines(
        [&file, hash](char* data, std::size_t size) {
            const auto got = file.readSome(data, size);
            if (hash && got > 0)
                hash->add({data, static_cast<std::size_t>(got)});
            return got;
        },
        blockSize);
    return readCcx(lines, std::move(document));
}

} // namespace tessaro
