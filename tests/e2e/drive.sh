#!/usr/bin/env bash
# Drives the built program on a private X server with real input events. Sourced by the
# end-to-end tests, the screenshot script and the benchmark; run as drive.sh COMMAND ARGS…, it
# runs the command on a private X server of its own (the browser tests do, for WebKit).
#   session_bus none|private SCRIPT ARGS…
#                           the program gets no session bus, or one of its own; "private"
#                           runs SCRIPT again inside dbus-run-session (call it first thing)
#   screen_reader_on        switches accessibility on in the private session bus, as a screen
#                           reader does when it starts
#   start_xvfb [WxH]        starts a private X server; sets $xvfb, $DISPLAY and $work
#   start_window_manager [openbox|icewm]
#                           starts that window manager (openbox unless named) on it and waits
#                           until it manages windows
#   start_program PROGRAM [ARGS…]
#                           starts the program (and the X server, if not yet started) in an
#                           environment of its own: its own HOME and XDG_RUNTIME_DIR, the
#                           locale $KT_LOCALE (C.UTF-8 unless set), the chosen session bus,
#                           and $DISPLAY unless display_in_environment=no
#   window_titled TITLE     waits for the visible window of that title and prints its id
#   window_shown TITLE      succeeds when a visible window has that title
#   close_window ID         asks a window to close, as its title-bar button does
#   click ID X Y            clicks the point X,Y (logical pixels) of a window's client area
#   click_control ID N NAME clicks the centre of control NAME (Option1, Command1, …), the window
#                           on screen being window N (1 to 11)
#   wait_for_exit           waits for the program to end; sets $exit_status
#   CENTRE["N CONTROL"]     the centre of a control of window N (1 to 11), "X Y" in logical
#                           pixels, from the answer sheet (answer_sheet.py)
#   RIGHT_ANSWERS           per question: window, the centre of its right option and that of
#                           Command1

e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

declare -A CENTRE
RIGHT_ANSWERS=()
while read -r what n x y name; do
    if [[ $what == centre ]]; then
        CENTRE["$n $name"]="$x $y"
    else
        RIGHT_ANSWERS+=("$n $x $y $name")
    fi
done < <("$e2e_dir/answer_sheet.py")

stop_program() {
    [[ -n ${app:-} ]] && kill "$app" 2>/dev/null || true
    [[ -n ${wm:-} ]] && kill "$wm" 2>/dev/null || true
    [[ -n ${xvfb:-} ]] && kill "$xvfb" 2>/dev/null || true
    [[ -n ${work:-} ]] && rm -rf "$work" || true
    app= wm= xvfb= work=
}

fail() {
    echo "$(basename "$0"): $*" >&2
    [[ -f ${work:-}/out.log ]] && cat "$work/out.log" >&2
    exit 1
}

bus_address=
session_bus() {
    case $1 in
    none)
        # As on a machine without a desktop session: no address at all.
        bus_address=unset
        ;;
    private)
        if [[ -z ${KT_PRIVATE_BUS:-} ]]; then
            shift
            KT_PRIVATE_BUS=1 exec dbus-run-session -- "$@"
        fi
        bus_address=$DBUS_SESSION_BUS_ADDRESS
        ;;
    *) fail "session_bus: none or private, not \"$1\"" ;;
    esac
}

screen_reader_on() {
    # Asks for the accessibility bus, which starts it, and says that a screen reader listens. Qt
    # reads this when the program starts.
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:ScreenReaderEnabled \
        variant:boolean:true >/dev/null || fail "the accessibility bus did not start"
}

start_xvfb() {
    [[ -n ${work:-} ]] || work=$(mktemp -d)
    trap stop_program EXIT
    Xvfb -displayfd 3 -screen 0 "${1:-1280x800}x24" -nolisten tcp 3>"$work/display" \
        2>"$work/xvfb.log" &
    xvfb=$!
    # Xvfb writes its display number once it accepts clients.
    for _ in $(seq 200); do [[ -s $work/display ]] && break; sleep 0.05; done
    [[ -s $work/display ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(cat "$work/display")"
}

start_window_manager() {
    local name=${1:-openbox} command=(openbox --sm-disable)
    mkdir -p "$work/wm-home"
    if [[ $name == icewm ]]; then
        # Without its task bar icewm leaves the whole screen to the windows, as openbox does.
        mkdir -p "$work/wm-home/.icewm"
        echo ShowTaskBar=0 >"$work/wm-home/.icewm/preferences"
        command=(icewm)
    fi
    env -i PATH=/usr/bin:/bin HOME="$work/wm-home" DISPLAY="$DISPLAY" "${command[@]}" \
        >"$work/wm.log" 2>&1 &
    wm=$!
    "$e2e_dir/x_windows.py" managed 30 || fail "$name did not start: $(cat "$work/wm.log")"
}

start_program() {
    [[ -n ${xvfb:-} ]] || start_xvfb
    [[ -n $bus_address ]] || session_bus none
    mkdir -p "$work/home" "$work/runtime"
    chmod 700 "$work/runtime"
    local locale=${KT_LOCALE:-C.UTF-8}
    local environment=(PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
        LANG="$locale" LC_ALL="$locale")
    [[ $bus_address == unset ]] || environment+=(DBUS_SESSION_BUS_ADDRESS="$bus_address")
    # A test that names the display on the command line sets display_in_environment=no.
    [[ ${display_in_environment:-yes} == yes ]] && environment+=(DISPLAY="$DISPLAY")
    # The sanitizers' settings, and their preload, come from the test that runs this.
    local name
    for name in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS LD_PRELOAD; do
        [[ -n ${!name:-} ]] && environment+=("$name=${!name}")
    done
    env -i "${environment[@]}" "$@" >"$work/out.log" 2>&1 &
    app=$!
}

window_titled() {
    "$e2e_dir/x_windows.py" wait "$1" 30 || fail "window \"$1\" did not appear"
}

window_shown() { "$e2e_dir/x_windows.py" shown "$1"; }

close_window() { "$e2e_dir/x_windows.py" close "$1" || fail "window $1 did not take the request"; }

click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

click_control() {
    local x y
    read -r x y <<<"${CENTRE["$2 $3"]}"
    click "$1" "$x" "$y"
}

# Waits up to thirty seconds for the program to end; its exit code goes into $exit_status.
wait_for_exit() {
    exit_status=0
    timeout 30 tail --pid="$app" -f /dev/null || fail "the program did not end"
    wait "$app" || exit_status=$?
    app=
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    start_xvfb
    "$@"
fi
