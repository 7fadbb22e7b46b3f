#!/usr/bin/env bash
# The path rule, kept over the sources: a path held as text (Utf8Path or a
# std::string of UTF-8) becomes a std::filesystem::path only through toPath,
# and a path becomes text only through fromPath (both in src/common/paths.*).
# std::filesystem::path(std::string) and path.string() go through the ANSI code
# page on Windows and garble every name outside it, and no compiler warns.
#
#   ci/path-rule.sh [source-folder]   # default: src; exit 1 and a list when broken
#   ci/path-rule.sh --self-check      # finds the breaks planted in tests/data/pathrule
#
# Found: .string(), .generic_string(), .u8string() and .wstring() calls (the
# last two belong in paths.cpp alone); a std::filesystem::path made by name
# (path(...), path{...}, path x{...}) from anything but wide text (path x(...)
# is not searched: a grep cannot tell it from a function declaration);
# a file stream opened on anything but toPath(...), a folder / name join or a
# variable whose name ends in "path" (so a std::filesystem::path variable is
# named so).
set -uo pipefail
cd "$(dirname "$0")/.."
src=${1:-src}
if [ "$src" = --self-check ]; then
    planted=tests/data/pathrule
    want=$(grep -rh -- '// planted' "$planted" | sort)
    got=$("$PWD/ci/path-rule.sh" "$planted" | grep -E '^[^ ]+:[0-9]+:' | cut -d: -f3- | sort)
    if [ "$want" != "$got" ]; then
        echo "path rule self-check: the planted breaks and the ones found differ:"
        diff <(echo "$want") <(echo "$got")
        exit 1
    fi
    echo "path rule self-check: all $(echo "$want" | wc -l) planted breaks found"
    exit 0
fi

# Every line but the two that carry out the conversions, and comments.
sources() {
    grep -rn --include='*.cpp' --include='*.h' -E "$1" "$src" |
        grep -v -E '^[^:]*/common/paths\.cpp:' |
        grep -v -E '^[^:]*:[0-9]+:\s*//'
}

found=0
report() {
    local what=$1 lines=$2
    [ -z "$lines" ] && return
    echo "path rule: $what (use toPath/fromPath from common/paths.h):"
    echo "$lines"
    found=1
}

report ".string() on a path" \
    "$(sources '\.(generic_|u8|w)?string\(\)')"
report "a std::filesystem::path made from text" \
    "$(sources '(filesystem::|fs::)path(\s*\(|(\s+[A-Za-z_][A-Za-z_0-9]*)?\s*\{)' |
        grep -v -E 'path(\s+[A-Za-z_][A-Za-z_0-9]*)?\s*[({]\s*(std::wstring|L"|\)|\})')"
report "a file stream opened on text" \
    "$(sources '\b(std::)?(i|o)?fstream(\s+[A-Za-z_][A-Za-z_0-9]*)?\s*[({]|\.open\(\s*[^)]' |
        grep -v -E 'fstream(\s+[A-Za-z_][A-Za-z_0-9]*)?\s*[({]\s*(toPath\(|[A-Za-z_0-9]*[Pp]ath\b|[^,]*\s/\s)' |
        grep -v -E '\.open\(\s*toPath\(')"

[ "$found" -eq 0 ] && echo "path rule: kept in $src"
exit "$found"
