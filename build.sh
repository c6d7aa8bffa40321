#!/usr/bin/env bash
# Kelm Invoice: installs what the build needs, builds, then runs the program or its tests.
#   bash build.sh run    build and start the program
#   bash build.sh test   build and run every test, then once more built with
#                        AddressSanitizer and UndefinedBehaviorSanitizer, and
#                        with every compiler warning an error
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake make g++ pkg-config qt6-base-dev qt6-webengine-dev libsqlite3-dev sqlite3 libgl-dev
          fonts-liberation2)

install_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"$(nproc)"
}

run_tests() {
    ctest --test-dir "$1" --output-on-failure -j"$(nproc)"
}

# Debug, so assertions hold too, and a warning fails the build. The web engine
# ships prebuilt: its own mismatched deletes and Qt's objects left at exit are
# not ours to report.
sanitized_tests() {
    cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKELM_SANITIZE=ON -DKELM_WERROR=ON >/dev/null
    cmake --build build-sanitize -j"$(nproc)"
    ASAN_OPTIONS=detect_leaks=0:new_delete_type_mismatch=0 UBSAN_OPTIONS=print_stacktrace=1 \
        run_tests build-sanitize
}

case "${1:-}" in
run)
    install_packages
    build
    # The web window's engine refuses its sandbox when run as root.
    [ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
    exec ./build/kelm-invoice
    ;;
test)
    install_packages
    build
    export QTWEBENGINE_DISABLE_SANDBOX=1
    run_tests build
    sanitized_tests
    ;;
*)
    echo "usage: bash build.sh run|test" >&2
    exit 2
    ;;
esac
