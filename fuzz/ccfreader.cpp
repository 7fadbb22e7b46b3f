// CCF reader: reading fewer fields gives the first ones of reading more (the
// launcher reads four fields, the CCF File Creator three), and any four
// fields without a double quote, written and read again, come back exactly.

#include "fuzzcheck.h"
#include "levelset/ccffile.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tessaro::fuzz::check;

void checkFieldCounts(std::string_view bytes) {
    const auto four = tessaro::parseCcfFields(bytes, 4);
    for (std::size_t count = 0; count <= 4; ++count) {
        const auto fields = tessaro::parseCcfFields(bytes, count);
        if (!fields) {
            check(!four, "a file with fewer fields gave more");
            continue;
        }
        check(fields->size() == count, "the wrong number of fields");
        if (four)
            check(std::equal(fields->begin(), fields->end(), four->begin()),
                  "fewer fields are not the first of more");
    }
}

// The bytes cut at each NUL into up to four fields, double quotes dropped.
std::array<std::string, 4> fieldsOf(std::string_view bytes) {
    std::array<std::string, 4> fields;
    std::size_t field = 0;
    for (const char c : bytes) {
        if (c == '\0') {
            if (++field == fields.size())
                break;
        } else if (c != '"') {
            fields[field] += c;
        }
    }
    return fields;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkFieldCounts(bytes);

    const auto fields = fieldsOf(bytes);
    const auto written = tessaro::formatCcfFile(fields[0], fields[1], fields[2], fields[3]);
    const auto read = tessaro::parseCcfFields(written, 4);
    check(read && std::equal(read->begin(), read->end(), fields.begin()),
          "written fields read back differently");
    return 0;
}
