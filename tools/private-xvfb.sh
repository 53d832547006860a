# Sourced by the scripts that need an X server of their own (the real-desktop and
# display-loss checks, the Windows tests and start-up benchmark):
#
#   source tools/private-xvfb.sh
#   zorvel_start_xvfb WORK_DIR [WIDTHxHEIGHT]
#
# starts Xvfb on a display number the server picks itself, so that parallel runs never
# meet, and sets DISPLAY and xvfb_pid (the caller ends it). Returns 1, with the server's
# log on standard error, when no server came up within 10 s.
zorvel_start_xvfb() {
    local work=$1 size=${2:-1366x768}
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local number=
    for _ in $(seq 100); do
        number=$(tr -dc 0-9 <"$work/display")
        [[ -n $number ]] && break
        sleep 0.1
    done
    if [[ -z $number ]]; then
        echo "Xvfb did not start" >&2
        cat "$work/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=:$number
}
