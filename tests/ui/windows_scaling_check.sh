#!/usr/bin/env bash
# The real zorvel.exe at the display scales Windows laptops and monitors come with: the
# prefix's LogPixels set to 120, 144 and 168 in turn (the Wine server restarted for each,
# as Windows wants a new sign-in), the end-to-end test's layout case run against it, and
# the screen kept as a picture to look at; the toolkit's menu-title case likewise. The
# prefix goes back to 96 whatever happened.
#
#   windows_scaling_check.sh END_TO_END_TEST ZORVEL XDOTOOL WORK_DIR TOOLKIT_TEST
#
# Run by ctest under tools/windows/test.sh, which sets up the prefix and the X server.
set -uo pipefail
test=$1 zorvel=$2 xdotool=$3 work=$4 toolkit_test=$5
: "${WINEPREFIX:?run from tools/windows/test.sh}"
rm -rf "$work"
mkdir -p "$work"

use_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1
    wineserver -k >/dev/null 2>&1
    # One server for the rest of the run; neither it nor its services may hold this
    # script's output, or ctest would wait on it.
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
}
trap 'use_dpi 96' EXIT

fail=0
for dpi in 120 144 168; do
    use_dpi "$dpi"
    if ! wine "$test" "$zorvel" "$xdotool" "$dpi" \
        --gtest_filter='*AboveTheStatusBar*' >"$work/check-$dpi.log" 2>&1; then
        echo "FAIL at $dpi dots per inch:"
        cat "$work/check-$dpi.log"
        fail=1
    else
        echo "$dpi dots per inch: every control above the status bar, every menu title whole"
    fi
    if ! wine "$toolkit_test" --gtest_filter='*MenuTitlesStandWhole*:*StandsWhole*' \
        >"$work/titles-$dpi.log" 2>&1; then
        echo "FAIL at $dpi dots per inch, the toolkit's menu titles:"
        cat "$work/titles-$dpi.log"
        fail=1
    fi
    # The same window again for a person to look at.
    wine "$zorvel" >/dev/null 2>&1 &
    for _ in $(seq 50); do
        "$xdotool" search --name 'Софтуер за работа' >/dev/null 2>&1 && break
        sleep 0.2
    done
    sleep 2
    command -v import >/dev/null && import -window root "$work/scale-$dpi.png"
    wineserver -k >/dev/null 2>&1
    wait
done
exit $fail
