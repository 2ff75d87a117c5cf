#!/usr/bin/env bash
# Set-up, build and test entry point for a Debian 12 machine.
#   ./vosk.sh run [args...]   release build, then start the editor
#   ./vosk.sh test            sanitizer build, then every test
#   ./vosk.sh bench           release build of the benchmarks
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)

PACKAGES=(build-essential cmake ninja-build ccache git qt6-base-dev libgl-dev qt6-svg-dev poppler-utils
          libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation fonts-droid-fallback locales
          clang-format clang-tidy python3 python3-olefile python3-ezdxf ngspice desktop-file-utils
          shared-mime-info)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
    fi
}

# The tests prove that number formatting ignores a decimal-comma locale.
ensure_locale() {
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        as_root sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
        grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen ||
            echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
        as_root locale-gen >/dev/null
    fi
}

configure_and_build() {
    local dir=$1; shift
    export CCACHE_DIR=${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vosk-ccache}
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"
    cmake --build "$dir" -j "$(nproc)"
}

case "${1:-}" in
run)
    shift
    ensure_packages
    configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DVOSK_BUILD_TESTS=OFF
    exec build/release/vosk "$@"
    ;;
test)
    ensure_packages
    ensure_locale
    # Light optimisation and line tables only: the sanitizers' reports keep their lines, and
    # the build stays quick on a small machine.
    configure_and_build build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOSK_SANITIZE=ON \
        "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"
    settings=$(mktemp -d)
    trap 'rm -rf "$settings"' EXIT
    cd build/test
    # The leak checker of GCC 12 crashes on the thread-local blocks of libraries that Qt's
    # plugins load late (printing, images), depending on where they land, so it is told not to
    # scan thread-local storage. That can only add reports (of what such storage holds, then
    # suppressed by name); it hides no leak.
    VOSK_SETTINGS_DIR=$settings QT_QPA_PLATFORM=offscreen \
        ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        LSAN_OPTIONS=suppressions=$ROOT/tests/lsan.supp:use_tls=0 \
        ctest --output-on-failure -j "$(nproc)"
    ;;
bench)
    ensure_packages
    configure_and_build build/bench -DCMAKE_BUILD_TYPE=Release -DVOSK_BUILD_TESTS=OFF \
        -DVOSK_BUILD_BENCH=ON
    ;;
*)
    echo "usage: $0 run [file...] | test | bench" >&2
    exit 2
    ;;
esac
