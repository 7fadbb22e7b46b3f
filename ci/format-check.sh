#!/usr/bin/env bash
# The C++ sources in the project's format (.clang-format): lists every file
# clang-format would change and exits 1 when there is one. The files planted
# with path-rule breaks under tests/data are test input and keep their shape.
#
#   ci/format-check.sh            # check
#   ci/format-check.sh --fix      # rewrite the files in place
set -uo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format || command -v clang-format-14 || true)
if [ -z "$format" ]; then
    echo "format check: clang-format is missing (./build.sh test installs it)"
    exit 1
fi
mapfile -t files < <(find src tests bench fuzz -path tests/data -prune -o \
    \( -name '*.h' -o -name '*.cpp' \) -print | sort)
if [ "${1:-}" = --fix ]; then
    "$format" -i "${files[@]}"
    exit 0
fi
# One run over every file; each drifted place is reported as
# "file:line:col: error: code should be clang-formatted".
mapfile -t drifted < <("$format" --dry-run --Werror "${files[@]}" 2>&1 |
    sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)
if [ "${#drifted[@]}" -gt 0 ]; then
    echo "format check: not in the project's format (ci/format-check.sh --fix rewrites them):"
    printf '  %s\n' "${drifted[@]}"
    exit 1
fi
echo "format check: ${#files[@]} files in the project's format"
