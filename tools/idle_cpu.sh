#!/bin/bash
# Reports the processor time a fresh Kubrix window left alone uses, read from /proc.
# Usage: tools/idle_cpu.sh [kubrix binary, default build/kubrix] [seconds, default 10]
# IDLE_THREADS=1 lists what each thread used; IDLE_MUSIC=0 measures with the music switched off.
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
printf '[Startup]\nhst=1\nt=%d\n' "${IDLE_MUSIC:-1}" >"$work/config/Kubrix/Kubrix.ini"

XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}" \
    xvfb-run -a -s "-screen 0 1280x1024x24" \
    sh -c 'echo $$ >"$1"; exec "$2"' sh "$work/pid" "$binary" >"$work/log" 2>&1 &

for _ in $(seq 50); do
    [ -s "$work/pid" ] && break
    sleep 0.1
done
pid=$(cat "$work/pid")

# Nanoseconds each thread has run, from the scheduler's own accounting: far finer than the
# clock ticks of /proc/<pid>/stat, which round a short burst up or down to a whole 10 ms.
thread_ns() {
    local task
    for task in "/proc/$pid/task/"*; do
        printf '%s %s %s\n' "${task##*/}" "$(cut -d' ' -f1 "$task/schedstat")" "$(cat "$task/comm")"
    done 2>/dev/null
}

sleep "$settle"
if [ ! -d "/proc/$pid" ]; then
    echo "kubrix ended during start-up:" >&2
    cat "$work/log" >&2
    exit 1
fi
thread_ns >"$work/before"
sleep "$seconds"
thread_ns >"$work/after"
# Threads are matched by id; one started during the measurement counts from zero.
awk -v s="$seconds" -v detail="${IDLE_THREADS:-0}" '
    NR == FNR { start[$1] = $2; next }
    {
        used = $2 - start[$1]
        total += used
        if (detail) printf "  %-20s %8.1f ms\n", $3, used / 1e6
    }
    END {
        printf "idle CPU over %d s: %.3f s, %.2f %% of a core\n", s, total / 1e9, 100 * total / 1e9 / s
    }' "$work/before" "$work/after"
