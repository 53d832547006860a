#!/usr/bin/env bash
# The real program on a real desktop: a 1366 x 768 X server (Xvfb) with a window manager
# (openbox) that frames the windows with title bars. Opens a help page as a user does
# and checks that the viewer's frame lies wholly on the screen, restores the main window
# with a double click on its title bar and checks where it went, then that no caption of
# the main window is clipped under the title bar and that, restored by the window
# manager, every control (the Calculate button among them) lies inside the window.
#
#   real_desktop_check.sh ZORVEL FRAME_PROBE DESKTOP_TEST WORK_DIR
#
# Exits 77 (skipped) only when Xvfb or openbox is not installed.
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)/private-xvfb.sh"
zorvel=$1 probe=$2 desktop_test=$3 work=$4

for tool in Xvfb openbox; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done

rm -rf "$work"
mkdir -p "$work/home" "$work/config"
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
# Under the sanitizers the X11 client libraries' process-wide caches would read as
# leaks at exit; the offscreen suite checks the program's own memory.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
unset WAYLAND_DISPLAY

pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
}
trap cleanup EXIT

xvfb_pid=
zorvel_start_xvfb "$work" || { echo "FAIL: Xvfb did not start"; exit 1; }
pids+=("$xvfb_pid")
echo "display $DISPLAY, 1366x768"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
"$probe" wm || { echo "FAIL: openbox did not start"; cat "$work/openbox.log"; exit 1; }

fail=0
within_screen() { # what, then the probe's line
    local what=$1
    read -r _ sw sh _ fx fy fw fh _ cx cy cw ch <<<"$2"
    echo "$what: frame ${fw}x${fh} at ${fx},${fy}; client ${cw}x${ch} at ${cx},${cy}"
    if ((fx < 0 || fy < 0 || fx + fw > sw || fy + fh > sh)); then
        echo "FAIL: the $what's frame does not lie wholly on the ${sw}x${sh} screen"
        fail=1
    fi
}

"$zorvel" >"$work/zorvel.log" 2>&1 &
zorvel_pid=$!
pids+=($zorvel_pid)
main=$("$probe" frame " Зорвел - Софтуер за работа с психрометър ") ||
    { echo "FAIL: the main window did not appear"; cat "$work/zorvel.log"; exit 1; }
within_screen "main window" "$main"
read -r _ _ _ _ _ _ _ _ _ cx cy _ _ <<<"$main"

# "Дефиниции " / "За влажност на въздуха", the first page, by mouse and keyboard: the
# first menu title is opened with a click, then Right twice, Down, Return.
if command -v xdotool >/dev/null; then
    xdotool mousemove $((cx + 40)) $((cy + 8)) click 1
    sleep 0.5
    xdotool key Right Right Down Return
    viewer=$("$probe" frame "Зорвел- помощна информация") ||
        { echo "FAIL: the page viewer did not open"; exit 1; }
    within_screen "page viewer" "$viewer"
    xdotool key Escape
    sleep 0.5

    # A double click on the title bar restores the maximized window, as a user does it.
    read -r _ _ _ _ fx fy _ _ _ _ _ _ _ <<<"$main"
    xdotool mousemove $((cx + 200)) $(((fy + cy) / 2)) click --repeat 2 --delay 100 1
    sleep 1
    restored=$("$probe" frame " Зорвел - Софтуер за работа с психрометър ")
    within_screen "restored main window" "$restored"
    read -r _ _ _ _ _ _ _ _ _ _ _ rw rh <<<"$restored"
    if ((rw != 1000 || rh != 700)); then
        echo "FAIL: restored, the main window is ${rw}x${rh}, not 1000x700"
        fail=1
    fi
    command -v import >/dev/null && import -window root "$work/restored.png"
else
    echo "FAIL: xdotool is not installed (it is on the package list)"
    fail=1
fi
kill "$zorvel_pid"

# The main window again, built in the test program under the same window manager: every
# caption's text fits the label it is drawn in.
if ! "$desktop_test" --gtest_filter='*EveryLabelsTextFitsTheHeightItIsGiven*' \
    >"$work/captions.log" 2>&1; then
    echo "FAIL: a caption is clipped under the window manager"
    cat "$work/captions.log"
    fail=1
else
    echo "captions: every label's text fits"
fi
if ! "$desktop_test" --gtest_filter='*RestoredEveryControlLiesInsideTheWindow*' \
    >"$work/restored.log" 2>&1; then
    echo "FAIL: restored by the window manager, a control lies outside the window"
    cat "$work/restored.log"
    fail=1
else
    echo "restored: every control, Calculate among them, lies inside the window"
fi
exit $fail
