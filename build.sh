#!/usr/bin/env bash
# Kelm Invoice: installs what the build needs, builds, then runs the program or its tests.
#   bash build.sh run    build and start the program
#   bash build.sh test   build and run every test
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake make g++ pkg-config qt6-base-dev qt6-webengine-dev libsqlite3-dev libgl-dev
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
    ctest --test-dir build --output-on-failure -j"$(nproc)"
    ;;
*)
    echo "usage: bash build.sh run|test" >&2
    exit 2
    ;;
esac
