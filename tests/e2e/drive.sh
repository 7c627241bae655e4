# Drives the built program on a private X server with real input events. Sourced by the
# end-to-end test and by the screenshot script.
#   start_program PROGRAM   starts Xvfb and the program; sets $app, $work, $DISPLAY
#   window_titled TITLE     waits for the visible window of that title and prints its id
#   click ID L T W H        clicks the middle of a control given in twips
#   wait_for_exit           waits for the program to end; sets $exit_status
#   RIGHT_ANSWERS           per question: window, the right option's Left and Top, and
#                           Command1's Left and Top, in twips as the layout sheet has them

RIGHT_ANSWERS=(
    "1 5040 720 4200 1680"
    "2 860 600 3480 1560"
    "3 3600 840 3240 1920"
    "4 1080 1080 2280 1920"
    "5 1080 840 4200 1440"
    "6 2880 1080 3840 1800"
    "7 960 600 4680 1440"
    "8 5280 720 4425 1320"
    "9 5280 720 3330 1320"
    "10 1080 720 3600 1800"
)

stop_program() {
    [[ -n ${app:-} ]] && kill "$app" 2>/dev/null || true
    [[ -n ${xvfb:-} ]] && kill "$xvfb" 2>/dev/null || true
    [[ -n ${work:-} ]] && rm -rf "$work"
}

fail() {
    echo "$(basename "$0"): $*" >&2
    [[ -f $work/out.log ]] && cat "$work/out.log" >&2
    exit 1
}

start_program() {
    work=$(mktemp -d)
    trap stop_program EXIT
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
    [[ -s $work/display ]] || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$work/display")"
    export XDG_RUNTIME_DIR=$work
    unset QT_QPA_PLATFORM
    "$1" >"$work/out.log" 2>&1 &
    app=$!
}

# Polls every 20 ms for up to ten seconds; xdotool's own --sync polls only twice a second.
window_titled() {
    local id
    for _ in $(seq 500); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [[ -n $id ]] && { echo "$id"; return; }
        sleep 0.02
    done
    fail "window \"$1\" did not appear"
}

px() { echo $(((2 * $1 + 15) / 30)); } # twips to pixels, rounded

click() {
    local left top right bottom
    left=$(px "$2") top=$(px "$3") right=$(px $(($2 + $4))) bottom=$(px $(($3 + $5)))
    xdotool mousemove --window "$1" $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
}

# Waits up to ten seconds for the program to end; its exit code goes into $exit_status.
wait_for_exit() {
    exit_status=0
    timeout 10 tail --pid="$app" -f /dev/null || fail "the program did not end"
    wait "$app" || exit_status=$?
    app=
}
