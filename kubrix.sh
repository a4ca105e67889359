#!/usr/bin/env bash
# Kubrix's one entry point: installs what the build needs, builds, and runs the tests or the game.
set -euo pipefail

# Every Debian 12 package the build, the tests, the game and its package need, in one place.
# scdoc writes the manual pages; the suite validates the installed files (desktop-file-utils,
# appstream, man-db) and builds the Debian package (dpkg-dev).
readonly PACKAGES=(
    g++ cmake make pkg-config
    qt6-base-dev libqt6opengl6-dev
    libgl-dev libglu1-mesa-dev libgl1-mesa-dri
    libopenal-dev libopenal1
    libcurl4-openssl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth fonts-dejavu-core python3
    scdoc desktop-file-utils appstream man-db dpkg-dev
)

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
readonly ROOT
readonly BUILD_DIR="$ROOT/build"
readonly PACKAGE_BUILD_DIR="$ROOT/build-package"

usage() {
    cat >&2 <<USAGE
usage: $0 test | run | package
  test     install missing packages, build, and run the whole test suite
  run      install missing packages, build, and start the game
  package  install missing packages, make a release build without tests, and pack it as a
           Debian package (build-package/kubrix_<version>_<arch>.deb)
USAGE
    exit 2
}

missing_packages() {
    local pkg
    for pkg in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q '^install ok installed$'; then
            echo "$pkg"
        fi
    done
}

install_packages() {
    local missing
    mapfile -t missing < <(missing_packages)
    if ((${#missing[@]} == 0)); then
        return
    fi
    echo "Installing: ${missing[*]}"
    local -a as_root=()
    if ((EUID != 0)); then
        if ! command -v sudo >/dev/null; then
            echo "error: these packages are missing and sudo is not available: ${missing[*]}" >&2
            exit 1
        fi
        as_root=(sudo)
    fi
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
}

build() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$BUILD_DIR" -j2
}

build_package() {
    cmake -S "$ROOT" -B "$PACKAGE_BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DKUBRIX_BUILD_TESTS=OFF -DKUBRIX_BUILD_BENCH=OFF
    cmake --build "$PACKAGE_BUILD_DIR" -j2
    (cd "$PACKAGE_BUILD_DIR" && cpack -G DEB)
}

run_tests() {
    # Fresh per-user folders, so that no test reads or changes the real settings and saves.
    local config data runtime
    config="$(mktemp -d)"
    data="$(mktemp -d)"
    runtime="$(mktemp -d)"
    # shellcheck disable=SC2064 # the folder names are fixed now, on purpose
    trap "rm -rf '$config' '$data' '$runtime'" EXIT

    local status=0
    XDG_CONFIG_HOME="$config" XDG_DATA_HOME="$data" XDG_RUNTIME_DIR="$runtime" \
        QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS=null LIBGL_ALWAYS_SOFTWARE=1 \
        xvfb-run -a -s "-screen 0 1280x1024x24" \
        ctest --test-dir "$BUILD_DIR" --output-on-failure --no-tests=error -j2 || status=$?
    return "$status"
}

main() {
    (($# == 1)) || usage
    case "$1" in
        test)
            install_packages
            build
            run_tests
            ;;
        run)
            install_packages
            build
            exec "$BUILD_DIR/kubrix"
            ;;
        package)
            install_packages
            build_package
            ;;
        *)
            usage
            ;;
    esac
}

main "$@"
