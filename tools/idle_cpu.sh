#!/bin/bash
# Reports the processor time a fresh Kubrix window left alone uses, read from /proc.
# Usage: tools/idle_cpu.sh [kubrix binary, default build/kubrix] [seconds, default 10]
# The game runs under its own Xvfb with fresh config, data and runtime folders; its sound goes
# to OpenAL's null device unless ALSOFT_DRIVERS says otherwise.
set -euo pipefail

binary=$(realpath "${1:-build/kubrix}")
seconds=${2:-10}
# Start-up (textures, the first frames, the window manager-less placement) is not idling.
settle=${IDLE_SETTLE_SECONDS:-5}

work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
    fi
    sleep 1
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/config/Kubrix" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"
# The first game of an installation opens the tutorial, whose demonstration plays; the window
# measured is the Beginner game that follows it, with every other setting at its default.
printf '[Startup]\nhst=1\n' >"$work/config/Kubrix/Kubrix.ini"

XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}" \
    xvfb-run -a -s "-screen 0 1280x1024x24" \
    sh -c 'echo $$ >"$1"; exec "$2"' sh "$work/pid" "$binary" >"$work/log" 2>&1 &

for _ in $(seq 50); do
    [ -s "$work/pid" ] && break
    sleep 0.1
done
pid=$(cat "$work/pid")

# utime + stime of the whole process (all its threads), in clock ticks.
cpu_ticks() {
    local fields
    fields=$(sed 's/^.*) //' "/proc/$pid/stat")
    echo "$fields" | awk '{ print $12 + $13 }'
}

sleep "$settle"
if [ ! -d "/proc/$pid" ]; then
    echo "kubrix ended during start-up:" >&2
    cat "$work/log" >&2
    exit 1
fi
before=$(cpu_ticks)
sleep "$seconds"
after=$(cpu_ticks)
hz=$(getconf CLK_TCK)
awk -v ticks=$((after - before)) -v hz="$hz" -v s="$seconds" 'BEGIN {
    cpu = ticks / hz
    printf "idle CPU over %d s: %.2f s, %.2f %% of a core\n", s, cpu, 100 * cpu / s
}'
