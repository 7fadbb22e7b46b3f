#!/usr/bin/env bash
# Builds tessaro_core and core_tests as a 64-bit Windows program with MinGW-w64
# and runs core_tests.exe under Wine, on a Debian 12 machine. Installs whatever
# is missing with apt-get, as build.sh does. Exits non-zero when the build or
# any test fails; the last line is gtest's summary.
#
#   ci/windows-core-tests.sh                  # build in build-windows/ and run
#   ci/windows-core-tests.sh --gtest_filter=X # arguments go to core_tests.exe
set -euo pipefail

cd "$(dirname "$0")/.."
source_dir=$PWD
source ci/packages.sh
build_dir=${TESSARO_WINDOWS_BUILD_DIR:-build-windows}
mkdir -p "$build_dir"
build_dir=$(cd "$build_dir" && pwd)

packages=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine64)
install_missing_packages "${packages[@]}"

toolchain=$source_dir/cmake/mingw-w64-x86_64.cmake
jobs=$(nproc 2>/dev/null || echo 2)

# GoogleTest from Debian's sources, built with the same compiler.
gtest_prefix=$build_dir/googletest-install
if [ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
    echo "Building GoogleTest for Windows"
    cmake -S /usr/src/googletest -B "$build_dir/googletest" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$gtest_prefix" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON >/dev/null
    cmake --build "$build_dir/googletest" --parallel "$jobs" --target install >/dev/null
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

echo "Building core_tests.exe"
cmake -S "$source_dir" -B "$build_dir/tessaro" -G Ninja "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSARO_BUILD_GUI=OFF -DTESSARO_BUILD_TESTS=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DGTest_DIR="$gtest_prefix/lib/cmake/GTest" >/dev/null
cmake --build "$build_dir/tessaro" --parallel "$jobs" --target core_tests
tests_exe=$build_dir/tessaro/tests/core_tests.exe

wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
wineserver=$(command -v wineserver || true)
[ -n "$wineserver" ] || wineserver=/usr/lib/wine/wineserver64

# A Wine of its own: a fresh home and prefix, no display, no debug chatter,
# and no offer to install Mono or Gecko.
wine_home=$(mktemp -d)
cleanup() {
    "$wineserver" -k >/dev/null 2>&1 || true
    rm -rf "$wine_home"
}
trap cleanup EXIT
export HOME=$wine_home WINEPREFIX=$wine_home/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

echo "Starting Wine"
if ! "$wine" wineboot --init >"$wine_home/wineboot.log" 2>&1; then
    cat "$wine_home/wineboot.log" >&2
    exit 1
fi
"$wineserver" -w

echo "Running core_tests.exe under Wine"
log=$wine_home/core_tests.log
set +e
"$wine" "$tests_exe" --gtest_color=no --gtest_brief=1 "$@" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
set -e
count() { grep -E "^\[  $1  \] [0-9]+ test" "$log" | grep -oE '[0-9]+' | head -n 1 || true; }
passed=$(count PASSED)
failed=$(count FAILED)
if [ -z "$passed" ] && [ -z "$failed" ]; then
    echo "core_tests.exe ran no test (exit code $status)" >&2
    exit 1
fi
echo "windows: ${passed:-0} passed, ${failed:-0} failed"
[ "$status" -eq 0 ] && [ "${failed:-0}" -eq 0 ]
