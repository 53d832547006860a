#!/usr/bin/env bash
# The Windows installer under Wine, as a user would run it silently: /S with /D= puts every
# file into the chosen folder of the prefix, with its Start-menu entry (when the window
# program is built) and its "Apps & features" entry; the silent uninstall takes all of it
# back. "Apps & features" is told the folder's real size. While zorvel.exe runs from the
# folder, neither a second silent install nor the silent uninstall may touch anything:
# they end with a non-zero status. Run by ctest in the Windows build
# (tools/windows/test.sh sets up the prefix and the display).
# Usage: windows_installer_check.sh <installer> <packaged file>...
set -euo pipefail
installer=$1
shift
[[ -f $installer ]] || { echo "FAIL: no installer at $installer" >&2; exit 1; }
[[ -n ${WINEPREFIX:-} ]] || { echo "FAIL: run through tools/windows/test.sh" >&2; exit 1; }

folder_name=zorvel-installer-check
folder=$WINEPREFIX/drive_c/$folder_name
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorvel'
start_menu=$(find "$WINEPREFIX/drive_c/users" -maxdepth 7 -type d -path '*Start Menu/Programs' |
    head -n1)
shortcut="$start_menu/Зорвел.lnk"
rm -rf "$folder"
fail=0
expect() { # condition text, then the test
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; fail=1; fi
}

wine "$installer" /S "/D=C:\\$folder_name"
for file in "$@" uninstall.exe; do
    expect "$file installed" test -f "$folder/$file"
done
# The answer is read whole before it is searched: with pipefail, grep -q leaving at the
# first match could kill reg with SIGPIPE and turn a found entry into a failure.
registered() {
    local answer
    answer=$(wine reg query "$key" /v UninstallString 2>&1) || true
    [[ $answer == *uninstall.exe* ]] || { echo "$answer"; return 1; }
}
expect "uninstaller registered" registered
# The sizes as the folder's listing gives them, in whole KB as the installer counts.
installed_kb() {
    find "$folder" -type f -printf '%s\n' | awk '{ sum += $1 } END { print int(sum / 1024) }'
}
estimated_kb() {
    local answer
    answer=$(wine reg query "$key" /v EstimatedSize 2>&1) || true
    [[ $answer =~ 0x([0-9a-fA-F]+) ]] && echo $((16#${BASH_REMATCH[1]}))
}
expect "size in Apps & features is the folder's ($(installed_kb) KB)" \
    test "$(estimated_kb)" = "$(installed_kb)"
if [[ " $* " == *" zorvel.exe "* ]]; then
    expect "Start-menu entry made" test -f "$shortcut"

    # Everything an install or uninstall could change, with the files' times.
    state() {
        find "$folder" -printf '%p %s %T@\n' | sort
        wine reg query "$key" 2>&1 | tr -d '\r'
        ls -l --time-style=+%s "$shortcut"
    }
    (cd "$folder" && exec wine zorvel.exe) >/dev/null 2>&1 &
    program=$!
    for _ in $(seq 150); do
        xdotool search --name 'Зорвел' >/dev/null 2>&1 && break
        sleep 0.2
    done
    expect "zorvel.exe running from the folder" xdotool search --name 'Зорвел'
    before=$(state)
    refused() { ! "$@"; }
    expect "silent install refused while it runs" refused wine "$installer" /S "/D=C:\\$folder_name"
    # _?= keeps the uninstaller in place, so that its status is the one it ends with.
    expect "silent uninstall refused while it runs" \
        refused wine "$folder/uninstall.exe" /S "_?=C:\\$folder_name"
    unchanged() { [[ $(state) == "$before" ]] || { diff <(echo "$before") <(state); return 1; }; }
    expect "nothing changed while it ran" unchanged
    kill "$program"
    wait "$program" 2>/dev/null || true
fi

# The uninstaller copies itself away and returns at once: wait for the folder to go.
wine "$folder/uninstall.exe" /S
for _ in $(seq 150); do
    [[ -d $folder ]] || break
    sleep 0.2
done
expect "folder removed" test ! -e "$folder"
unregistered() { ! wine reg query "$key" >/dev/null 2>&1; }
expect "uninstaller unregistered" unregistered
expect "Start-menu entry removed" test ! -e "$shortcut"
exit $fail
