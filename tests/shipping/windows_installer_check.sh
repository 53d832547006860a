#!/usr/bin/env bash
# The Windows installer under Wine, as a user would run it silently: /S with /D= puts every
# file into the chosen folder of the prefix, with its Start-menu entry (when the window
# program is built) and its "Apps & features" entry; the silent uninstall takes all of it
# back. Run by ctest in the Windows build (tools/windows/test.sh sets up the prefix).
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
if [[ " $* " == *" zorvel.exe "* ]]; then
    expect "Start-menu entry made" test -f "$shortcut"
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
