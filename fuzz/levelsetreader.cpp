// Level-set reader: it never reads outside its input (the sanitizers watch),
// every offset it names lies inside the file, and whatever it accepts, the
// tests' level-set writer writes back to the same levels.

#include "levelset/levelsetreader.h"
#include "fuzzcheck.h"
#include "support/levelsetwriter.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <tuple>

namespace {

using tessaro::fuzz::check;

auto content(const tessaro::LevelSetLevel& level) {
    return std::tie(level.number, level.timeLimit, level.chipsRequired, level.title, level.password,
                    level.hint);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = tessaro::parseLevelSet(bytes);
    if (!read) {
        check(read.error().offset && *read.error().offset <= size, "a refusal outside the file");
        return 0;
    }
    for (const auto& problem : read->problems)
        check(problem.offset <= size, "a problem outside the file");

    tessaro::test::WrittenSet written;
    written.lynx = read->ruleset == tessaro::Ruleset::Lynx;
    for (const auto& level : read->levels) {
        check(level.offset < size, "a level outside the file");
        // A decoded 0x99 would be coded as the NUL that ends the password.
        const bool uncoded = level.password.find('\x99') != std::string::npos;
        written.levels.push_back({.number = level.number,
                                  .timeLimit = level.timeLimit,
                                  .chipsRequired = level.chipsRequired,
                                  .title = level.title,
                                  .password = level.password,
                                  .hint = level.hint,
                                  .uncodedPassword = uncoded});
    }
    const auto again = tessaro::parseLevelSet(tessaro::test::writeLevelSet(written));
    check(again.ok() && again->ruleset == read->ruleset &&
              again->levels.size() == read->levels.size(),
          "the written set reads back differently");
    for (std::size_t i = 0; i < read->levels.size(); ++i)
        check(content(again->levels[i]) == content(read->levels[i]),
              "a written level reads back differently");
    return 0;
}
