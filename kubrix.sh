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

# What fuzzing adds: libFuzzer comes with clang's runtime libraries.
readonly FUZZ_PACKAGES=(clang libclang-rt-14-dev)

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
readonly ROOT
readonly BUILD_DIR="$ROOT/build"
readonly PACKAGE_BUILD_DIR="$ROOT/build-package"
# The sanitizer and fuzzing trees sit beside the normal one; each is a build of its own.
readonly ASAN_BUILD_DIR="$ROOT/build-asan"
readonly FUZZ_BUILD_DIR="$ROOT/build-fuzz"

usage() {
    cat >&2 <<USAGE
usage: $0 test [--sanitize] | run | package | fuzz [SECONDS]
  test             install missing packages, build, and run the whole test suite
  test --sanitize  the same in a separate AddressSanitizer + UndefinedBehaviorSanitizer build
  run              install missing packages, build, and start the game
  package          install missing packages, make a release build without tests, and pack it
                   as a Debian package (build-package/kubrix_<version>_<arch>.deb)
  fuzz [SECONDS]   build the libFuzzer targets with clang and run each for SECONDS (60)
USAGE
    exit 2
}

missing_packages() {
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q '^install ok installed$'; then
            echo "$pkg"
        fi
    done
}

install_packages() {
    local missing
    mapfile -t missing < <(missing_packages "${PACKAGES[@]}" "$@")
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

# Every sanitizer report stops the program that made it, so the test (or the build step) that
# ran it fails. Leaks are checked at exit, except in the test programs that open windows (see
# tests/support/gui_leak_check.h for why).
export_sanitizer_options() {
    export ASAN_OPTIONS="halt_on_error=1"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
}

# -O1 and line tables only: the usual sanitizer build, and much quicker to compile than -O2 -g.
# Only what the suite runs: no benchmarks, and no package extras (their checks are of files,
# not of memory, and the normal suite makes them).
build_sanitized() {
    export_sanitizer_options
    cmake -S "$ROOT" -B "$ASAN_BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DKUBRIX_SANITIZE=ON -DKUBRIX_BUILD_BENCH=OFF \
        -DKUBRIX_BUILD_PACKAGING=OFF
    cmake --build "$ASAN_BUILD_DIR" -j2
}

run_tests() {
    local build_dir="$1"
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
        ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j2 || status=$?
    return "$status"
}

# The seed corpora come from the normal build; each target runs on a working corpus of its own
# (kept between runs) and reads the seeds and the kept crash inputs beside it. An allocation
# over 128 MB counts as a fault: no reader may size its storage from a header. Inputs stay under
# 64 KB (larger seeds are cut): every header and branch fits, and small inputs run many times faster.
run_fuzzers() {
    local seconds="$1" status=0 target name log
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ_BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKUBRIX_FUZZ=ON
    cmake --build "$FUZZ_BUILD_DIR" -j2
    for target in "$FUZZ_BUILD_DIR"/fuzz/fuzz_*; do
        name="${target##*/fuzz_}"
        local -a corpora=("$FUZZ_BUILD_DIR/corpus/$name" "$BUILD_DIR/fuzz/corpus/$name")
        [[ -d "$ROOT/fuzz/regressions/$name" ]] && corpora+=("$ROOT/fuzz/regressions/$name")
        mkdir -p "$FUZZ_BUILD_DIR/corpus/$name" "$FUZZ_BUILD_DIR/crashes/$name"
        log="$FUZZ_BUILD_DIR/$name.log"
        echo "Fuzzing $name for $seconds s (log: $log)"
        if ! "$target" -max_total_time="$seconds" -print_final_stats=1 -malloc_limit_mb=128 \
            -max_len=65536 -timeout=10 -artifact_prefix="$FUZZ_BUILD_DIR/crashes/$name/" "${corpora[@]}" \
            >"$log" 2>&1; then
            echo "  FAULT: see $log and $FUZZ_BUILD_DIR/crashes/$name/"
            status=1
        fi
        grep -E '^#[0-9]+ +DONE|stat::number_of_executed_units' "$log" | sed 's/^/  /' || true
    done
    return "$status"
}

main() {
    (($# >= 1)) || usage
    case "$1" in
        test)
            (($# == 1)) || [[ $# == 2 && "$2" == --sanitize ]] || usage
            install_packages
            if (($# == 2)); then
                build_sanitized
                run_tests "$ASAN_BUILD_DIR"
            else
                build
                run_tests "$BUILD_DIR"
            fi
            ;;
        fuzz)
            (($# == 1)) || [[ $# == 2 && "$2" =~ ^[0-9]+$ ]] || usage
            install_packages "${FUZZ_PACKAGES[@]}"
            build
            run_fuzzers "${2:-60}"
            ;;
        run)
            (($# == 1)) || usage
            install_packages
            build
            exec "$BUILD_DIR/kubrix"
            ;;
        package)
            (($# == 1)) || usage
            install_packages
            build_package
            ;;
        *)
            usage
            ;;
    esac
}

main "$@"
