#!/usr/bin/env bash
# Installs the build as a package would, into a scratch root, and checks it as a desktop, a
# software centre and a packager see it.
#   installed: the desktop entry and the AppStream file pass their validators, every icon size is
#              there under the entry's icon name, and the manual pages render without a warning.
#   package:   CPack builds kubrix_<version>_<arch>.deb, it holds exactly the installed files, and
#              its dependencies were computed from the binaries.
set -euo pipefail
readonly BUILD=$1 APP_ID=$2 VERSION=$3 MODE=$4
readonly ICON_SIZES=(16 32 48 64 128 256)

SCRATCH=$(mktemp -d)
readonly SCRATCH
trap 'rm -rf "$SCRATCH"' EXIT
readonly ROOT="$SCRATCH/root" SHARE="$SCRATCH/root/usr/share"
DESTDIR="$ROOT" cmake --install "$BUILD" --prefix /usr >/dev/null

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A PNG's width and height, big-endian in its header chunk at byte 16.
png_size() {
    od -An -j16 -N8 -tu4 --endian=big "$1" | awk '{ print $1 "x" $2 }'
}

check_installed() {
    local entry="$SHARE/applications/$APP_ID.desktop"
    desktop-file-validate "$entry"
    appstreamcli validate --no-net "$SHARE/metainfo/$APP_ID.metainfo.xml"
    # The tree as a software centre reads it: the metainfo's launchable entry and its icon.
    appstreamcli validate-tree --no-net "$ROOT"

    local icon size
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [[ $icon == "$APP_ID" ]] || fail "the entry's icon is \"$icon\", not $APP_ID"
    for size in "${ICON_SIZES[@]}"; do
        local file="$SHARE/icons/hicolor/${size}x$size/apps/$icon.png"
        [[ -f $file ]] || fail "no $size px icon"
        [[ $(png_size "$file") == "${size}x$size" ]] || fail "$file is $(png_size "$file")"
    done
    for program in kubrix kubrix-skin; do
        [[ -x $ROOT/usr/bin/$program ]] || fail "no /usr/bin/$program"
    done

    local page warnings
    for page in man6/kubrix.6 man1/kubrix-skin.1; do
        [[ -f $SHARE/man/$page.gz ]] || fail "no manual page $page"
        warnings=$(MANWIDTH=80 man --warnings -l "$SHARE/man/$page.gz" 2>&1 >/dev/null)
        [[ -z $warnings ]] || fail "$page: $warnings"
    done
}

check_package() {
    cpack --config "$BUILD/CPackConfig.cmake" -B "$SCRATCH/out" >"$SCRATCH/cpack.log" 2>&1 ||
        fail "cpack: $(cat "$SCRATCH/cpack.log")"
    local deb="$SCRATCH/out/kubrix_${VERSION}_$(dpkg --print-architecture).deb"
    [[ -f $deb ]] || fail "no $(basename "$deb"); made: $(ls "$SCRATCH/out")"

    local packed installed
    packed=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort)
    installed=$(cd "$ROOT" && find . -type f | sed 's/^\.//' | sort)
    [[ $packed == "$installed" ]] ||
        fail "the package differs from the install: $(diff <(echo "$packed") <(echo "$installed"))"

    local depends
    depends=$(dpkg-deb --field "$deb" Depends)
    for library in libqt6widgets6 libqt6opengl6 libopenal1 libglu1-mesa libc6 qt6-qpa-plugins; do
        [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
    done
}

case $MODE in
installed) check_installed ;;
package) check_package ;;
*) fail "unknown mode $MODE" ;;
esac
echo "$MODE: ok"
