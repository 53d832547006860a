#!/usr/bin/env bash
# The real program loses its X server under it: a display that goes away is no fault of
# the program, so it ends with status 1 and one line on standard error, and writes nothing
# to ErrorLog.dat.
#
#   display_loss_check.sh ZORVEL WORK_DIR
#
# Exits 77 (skipped) only when Xvfb or xdotool is not installed.
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)/private-xvfb.sh"
zorvel=$1 work=$2

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done

rm -rf "$work"
mkdir -p "$work/home"
chmod 700 "$work"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
unset WAYLAND_DISPLAY
cd "$work"

xvfb_pid=
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
zorvel_start_xvfb "$work" || { echo "FAIL: Xvfb did not start"; exit 1; }
server=$xvfb_pid

"$zorvel" 2>stderr.txt &
program=$!
for _ in $(seq 100); do
    xdotool search --name 'Зорвел' >/dev/null 2>&1 && break
    sleep 0.1
done
xdotool search --name 'Зорвел' >/dev/null || { echo "FAIL: no main window"; exit 1; }
sleep 0.5 # the first paint done, as on a desktop in use

kill -KILL "$server"
wait "$server" 2>/dev/null || true
status=0
wait "$program" || status=$?

failed=0
if [[ $status -ne 1 ]]; then
    echo "FAIL: exit status $status, not 1"
    failed=1
fi
# Qt's own notes (a runtime folder, a paint cut short by the loss: "qt.qpa.xcb: ...") are
# not counted; the line that says the connection broke is.
lines=$(grep -Ecv '^(QStandardPaths:|qt\.qpa\.)' stderr.txt || true)
if [[ $lines -ne 1 ]]; then
    echo "FAIL: $lines lines on standard error, not 1:"
    failed=1
fi
cat stderr.txt
if [[ -e ErrorLog.dat ]] || grep -q 'Грешката е' stderr.txt; then
    echo "FAIL: a fault was logged:"
    cat ErrorLog.dat
    failed=1
fi
exit $failed
