# Sourced by the Windows test scripts: a Wine prefix of the build folder's own, made once
# (wineboot -i costs seconds and hundreds of megabytes), and the environment every Wine run
# of the tests shares. Usage: source tools/windows/wine-environment.sh <build-dir>
# Afterwards WINEPREFIX names <build-dir>/wine-prefix.
zorvel_wine_build=${1:?build folder}
export WINEPREFIX=$zorvel_wine_build/wine-prefix
export WINEARCH=win64
export WINEDEBUG=-all
# No offer to download Mono or Gecko: neither is needed, and the prompt would hang a
# headless run.
export WINEDLLOVERRIDES="mscoree,mshtml="
# The common dialogs speak Bulgarian under a Bulgarian locale, generated into the build
# folder so that the machine's locale setup stays as it is.
export LOCPATH=$zorvel_wine_build/locales
export LANG=bg_BG.UTF-8
unset LC_ALL

zorvel_prepare_wine_prefix() {
    # The marker holds this script's own checksum, so that a prefix made by an older
    # set-up (other fonts, other settings) is made again rather than silently reused.
    local recipe
    recipe=$(sha256sum "${BASH_SOURCE[0]}" | cut -d' ' -f1)
    if [[ -f $WINEPREFIX/.zorvel-ready && $(<"$WINEPREFIX/.zorvel-ready") == "$recipe" ]]; then
        return 0
    fi
    mkdir -p "$LOCPATH"
    [[ -d $LOCPATH/bg_BG.UTF-8 ]] || localedef -i bg_BG -f UTF-8 "$LOCPATH/bg_BG.UTF-8"
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # Debian's Wine does not find its own fonts in the prefix; without them the caption
    # buttons are drawn as letters.
    local fonts=$WINEPREFIX/drive_c/windows/Fonts
    mkdir -p "$fonts"
    for font in /usr/share/wine/fonts/*; do
        ln -sf "$font" "$fonts/"
    done
    local settings=$WINEPREFIX/zorvel-settings.reg
    cat >"$settings" <<'REG'
Windows Registry Editor Version 5.00

; Without a window manager every hidden or destroyed window would cost two seconds.
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

; An unhandled fault must end the program, never wait in a crash dialog.
[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

; The Windows faces the program and the dialogs ask for, onto faces with Cyrillic letters.
; The sans-serif ones go to Nimbus Sans, of Arial's widths: Wine 8 faults in its text
; shaping when an edit control lays out a Cyrillic "е" in Liberation Sans, which Arial
; would find by itself. "MS Sans Serif" is never mapped: it would become a bitmap face
; without Cyrillic.
[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Nimbus Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"Segoe UI"="Nimbus Sans"
"Verdana"="Nimbus Sans"
"Tahoma"="Nimbus Sans"
REG
    wine regedit /S "$(winepath -w "$settings")" >/dev/null 2>&1
    wineserver -w
    echo "$recipe" >"$WINEPREFIX/.zorvel-ready"
}
