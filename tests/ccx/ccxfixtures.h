#pragma once

#include "ccx/ccxdocument.h"
#include "common/textfile.h"

#include <filesystem>
#include <string>

namespace tessaro::test {

inline std::filesystem::path ccxFixture(const std::string& name) {
    return std::filesystem::path(TESSARO_TEST_DATA) / "ccx" / name;
}

inline std::string ccxFixtureBytes(const std::string& name) {
    return readFileBytes(ccxFixture(name)).value_or("<missing fixture " + name + ">");
}

// The set of demo-set.ccx: Demo Set by Someone, MS Yes, pedantic No, black on
// white; level 1 First by A. Author with a coloured prologue page and a plain
// epilogue page; level 2 Second with nothing else.
inline CcxDocument demoDocument() {
    CcxDocument document;
    document.description = "Demo Set";
    document.author = "Someone";
    document.msChoice = CompatChoice::Yes;
    document.pedanticChoice = CompatChoice::No;
    document.hasDefaultColors = true;
    document.defaultBackColor = 0x000000;
    document.defaultFontColor = 0xFFFFFF;
    document.levelCount = 2;
    auto& first = document.level(1);
    first.title = "First";
    first.author = "A. Author";
    first.compatAttributes = "ms=\"yes\"";
    first.prologue.count = 1;
    first.prologue.page(1) = {"<b>Welcome</b>\r\nSecond line", 1, 0x800000, 0x00FFFF};
    first.epilogue.count = 1;
    first.epilogue.page(1).text = "Well done.";
    document.level(2).title = "Second";
    return document;
}

} // namespace tessaro::test
