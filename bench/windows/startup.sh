#!/usr/bin/env bash
# Start-up of zorvel.exe under Wine against a bare Win32 window program built the same way
# (bench/windows/bare_window.cpp): wall clock from the start of `wine program.exe` until the
# program's first top-level window is mapped on the X server, on a private Xvfb of
# 1366 x 768 with one warm wineserver (as the tests run), both executables stripped as they
# ship. One untimed start of each first, then the runs alternate; the median counts.
# A third program, the bare window shown only after zorvel's own graphics check (the
# Direct3D 9 runtime, as zorvel must load it before its window may be seen), is the floor
# for zorvel: what remains above it is zorvel's own.
# Usage: bench/windows/startup.sh [build-dir] [runs]   (after tools/windows/build.sh)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:-"$root/build-windows"}" && pwd)
runs=${2:-9}

work=$(mktemp -d)
xvfb_pid=
watch_pid=
cleanup() {
    wineserver -k 2>/dev/null || true
    [[ -n $watch_pid ]] && kill "$watch_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

source "$root/tools/private-xvfb.sh"
zorvel_start_xvfb "$work"
source "$root/tools/windows/wine-environment.sh" "$build"
zorvel_prepare_wine_prefix
export LC_NUMERIC=C # decimal points in the figures, whatever the language
wineserver -p
wine cmd /c exit >/dev/null 2>&1

for program in ui/zorvel.exe bench/zorvel_bare_window_win32.exe; do
    x86_64-w64-mingw32-strip -o "$work/$(basename "$program")" "$build/$program"
done

# Every window mapped on the screen, with the moment it was seen.
stdbuf -oL xev -root -event substructure 2>/dev/null | while read -r line; do
    [[ $line == MapNotify* ]] && date +%s.%N
done >"$work/maps" &
watch_pid=$!
sleep 0.5

# Seconds from the start to the first window mapped after it.
start_up() {
    local start pid seconds=
    start=$(date +%s.%N)
    (cd "$work" && exec wine "$@" >/dev/null 2>&1) &
    pid=$!
    for _ in $(seq 1000); do
        seconds=$(awk -v start="$start" '$1 > start { printf "%.3f", $1 - start; exit }' \
            "$work/maps")
        [[ -n $seconds ]] && break
        sleep 0.01
    done
    echo "${seconds:-timeout}"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    sleep 0.5
}

start_up zorvel.exe >/dev/null
start_up zorvel_bare_window_win32.exe >/dev/null
start_up zorvel_bare_window_win32.exe --after-graphics-check >/dev/null
: >"$work/zorvel" && : >"$work/bare" && : >"$work/checked"
for _ in $(seq "$runs"); do
    start_up zorvel.exe >>"$work/zorvel"
    start_up zorvel_bare_window_win32.exe >>"$work/bare"
    start_up zorvel_bare_window_win32.exe --after-graphics-check >>"$work/checked"
done
# A start whose window was not seen within ten seconds counts in no median.
median() {
    grep -v timeout "$1" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
zorvel=$(median "$work/zorvel")
bare=$(median "$work/bare")
checked=$(median "$work/checked")
printf 'zorvel.exe                    %s s   (runs: %s)\n' "$zorvel" "$(tr '\n' ' ' <"$work/zorvel")"
printf 'bare window                   %s s   (runs: %s)\n' "$bare" "$(tr '\n' ' ' <"$work/bare")"
printf 'bare window after the check   %s s   (runs: %s)\n' "$checked" "$(tr '\n' ' ' <"$work/checked")"
awk -v a="$zorvel" -v b="$bare" 'BEGIN { printf "ratio to the bare window      %.2f\n", a / b }'
awk -v a="$checked" -v b="$bare" 'BEGIN { printf "the checked floor, likewise   %.2f\n", a / b }'
awk -v a="$zorvel" -v b="$checked" 'BEGIN { printf "ratio to the checked floor    %.2f\n", a / b }'
