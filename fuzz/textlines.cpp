// Text-file lines: splitting keeps every byte but the line ends, and the
// lines joined again give the original bytes with each line end (CR LF, a lone
// CR or a lone LF) written as CR LF and a last line given its line end. Bytes
// hashed in pieces hash as they do whole.

#include "common/textfile.h"
#include "fuzzcheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using tessaro::fuzz::check;

// The bytes as a writer of CR LF files would give them back.
std::string withCrLfEnds(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            out += "\r\n";
        } else {
            out += bytes[i];
        }
    }
    if (!bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n')
        out += "\r\n";
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = tessaro::splitLines(bytes);
    for (const auto& line : lines)
        check(line.find_first_of("\r\n") == std::string::npos, "a line holds a line end");
    const auto joined = tessaro::joinLinesCrLf(lines);
    check(joined == withCrLfEnds(bytes), "joined lines differ from the bytes read");
    check(tessaro::splitLines(joined) == lines, "joined lines split differently");
    tessaro::BytesHash pieces;
    pieces.add(bytes.substr(0, size / 3));
    pieces.add(bytes.substr(size / 3));
    check(pieces.value() == tessaro::hashOfBytes(bytes),
          "hashed in two pieces, bytes hash otherwise");
    return 0;
}
