#!/usr/bin/env bash
# Sets up a Debian 12 machine for Tessaro, builds it, and then either starts it
# ("./build.sh run") or runs every test ("./build.sh test"). TESSARO_CMAKE_ARGS
# adds options to the configure step (CI passes -DTESSARO_WERROR=ON).
set -euo pipefail

cd "$(dirname "$0")"
source ci/packages.sh
mode=${1:-run}
build_dir=${TESSARO_BUILD_DIR:-build}

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-dejavu-core xvfb xauth desktop-file-utils appstream
          shared-mime-info xdg-utils libglib2.0-bin libqt6svg6 tworld)
# The tests also check the sources' format.
if [ "$mode" = test ]; then
    packages+=(clang-format)
fi

install_missing_packages "${packages[@]}"

jobs=$(nproc 2>/dev/null || echo 2)
read -r -a extra_args <<<"${TESSARO_CMAKE_ARGS:-}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSARO_BUILD_BENCH=ON "${extra_args[@]}" >/dev/null
cmake --build "$build_dir" --parallel "$jobs"

case "$mode" in
run)
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: starting Tessaro under a virtual X server (xvfb-run)."
        exec xvfb-run -a "$build_dir/src/tessaro"
    fi
    exec "$build_dir/src/tessaro"
    ;;
test)
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure \
        --parallel "$jobs"
    ;;
*)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
