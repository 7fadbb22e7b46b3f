#!/usr/bin/env bash
# Builds core_tests and gui_tests with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs both. Any sanitizer report stops the
# test program, so it fails the stage. When the fuzz targets are part of the
# tree, they are built too and replay their seed corpora. The last line says
# how it went.
#
#   ci/sanitizer-tests.sh     # build in build-sanitize/ and run
set -euo pipefail

cd "$(dirname "$0")/.."
source ci/packages.sh
build_dir=${TESSARO_SANITIZE_BUILD_DIR:-build-sanitize}

packages=(clang libclang-rt-14-dev cmake ninja-build qt6-base-dev libgl-dev libgtest-dev
          libgmock-dev fonts-dejavu-core)
install_missing_packages "${packages[@]}"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fuzz=()
[ -f fuzz/CMakeLists.txt ] && fuzz=(-DTESSARO_BUILD_FUZZ=ON)
jobs=$(nproc 2>/dev/null || echo 2)

echo "Building the tests with AddressSanitizer and UndefinedBehaviorSanitizer"
CXX=clang++ CC=clang cmake -S . -B "$build_dir" -G Ninja "${launcher[@]}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_SANITIZE=ON -DTESSARO_WERROR=ON \
    "${fuzz[@]}" >/dev/null
cmake --build "$build_dir" --parallel "$jobs"

# Qt and fontconfig keep caches for the life of the process; those are not
# Tessaro's leaks.
export LSAN_OPTIONS="suppressions=$PWD/ci/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen

# Each program's output is shown in full only when it fails.
failed=()
log=$(mktemp)
trap 'rm -f "$log"' EXIT
run() {
    local name=$1
    shift
    echo "Running $name"
    if ! "$@" >"$log" 2>&1; then
        cat "$log"
        failed+=("$name")
    fi
}
run core_tests "$build_dir/tests/core_tests" --gtest_brief=1
run gui_tests "$build_dir/tests/gui_tests"
if [ ${#fuzz[@]} -gt 0 ]; then
    TESSARO_FUZZ_BUILD_DIR=$build_dir run "the fuzz seed corpora" fuzz/run 0
fi

if [ ${#failed[@]} -gt 0 ]; then
    echo "sanitizers: failed in ${failed[*]}"
    exit 1
fi
echo "sanitizers: every test passed"
