#!/usr/bin/env bash
# Drives the built program on a private X server with real input events. Sourced by the
# end-to-end tests, the screenshot script and the benchmark; run as drive.sh COMMAND ARGS…, it
# runs the command on a private X server of its own (the browser tests do, for WebKit).

e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# From the answer sheet (answer_sheet.py): CENTRE["N CONTROL"], the centre of a control of window N
# (1 to 11), "X Y" in logical pixels; RIGHT_ANSWERS, per question its window, the centre of its
# right option and that of Command1.
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
    # shellcheck disable=SC2086 # each a process id, or nothing
    kill ${app:-} ${wm:-} ${xvfb:-} 2>/dev/null || true
    [[ -z ${work:-} ]] || rm -rf "$work"
    app= wm= xvfb= work=
}

fail() {
    echo "$(basename "$0"): $*" >&2
    [[ -f ${work:-}/out.log ]] && cat "$work/out.log" >&2
    exit 1
}

# session_bus none|private SCRIPT ARGS…: the programs started here get no session bus, or one of
# their own; "private" runs SCRIPT again inside dbus-run-session (call it first thing).
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

# screen_reader_session SCRIPT ARGS…: a private session bus in which accessibility is on, as a
# screen reader switches it on when it starts: it asks for the accessibility bus, which starts it,
# and says that a screen reader listens. Qt reads this when the program starts.
screen_reader_session() {
    session_bus private "$@"
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:ScreenReaderEnabled \
        variant:boolean:true >/dev/null || fail "the accessibility bus did not start"
}

# Waits up to ten seconds for `test ARGS…` to hold: for a file that another process makes.
appears() {
    for _ in $(seq 200); do test "$@" && return; sleep 0.05; done
    test "$@"
}

# start_xvfb [WxH]: a private X server; sets $xvfb, $DISPLAY and $work, the test's own folder.
start_xvfb() {
    [[ -n ${work:-} ]] || work=$(mktemp -d)
    trap stop_program EXIT
    Xvfb -displayfd 3 -screen 0 "${1:-1280x800}x24" -nolisten tcp 3>"$work/display" \
        2>"$work/xvfb.log" &
    xvfb=$!
    # Xvfb writes its display number once it accepts clients.
    appears -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(cat "$work/display")"
}

# start_window_manager [openbox|icewm]: starts it (openbox unless named) and waits until it manages.
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

# own_environment HOME RUNTIME: sets `environment` to all that a program started here sees: that
# HOME and XDG_RUNTIME_DIR (made, the latter private), the locale $KT_LOCALE (C.UTF-8 unless set),
# the chosen session bus, $DISPLAY unless display_in_environment=no (for a test that names the
# display otherwise), and the sanitizers' settings and preload from the test that runs this.
own_environment() {
    local locale=${KT_LOCALE:-C.UTF-8} name
    mkdir -p "$1" "$2"
    chmod 700 "$2"
    environment=(PATH=/usr/bin:/bin HOME="$1" XDG_RUNTIME_DIR="$2" LANG="$locale" LC_ALL="$locale")
    [[ ${bus_address:-unset} == unset ]] || environment+=(DBUS_SESSION_BUS_ADDRESS="$bus_address")
    [[ -z ${DISPLAY:-} || ${display_in_environment:-yes} == no ]] || environment+=(DISPLAY="$DISPLAY")
    for name in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS LD_PRELOAD; do
        [[ -z ${!name:-} ]] || environment+=("$name=${!name}")
    done
}

# start_program [VAR=VALUE…] PROGRAM [ARGS…]: starts the program (and the X server, if not yet
# started) in an environment of its own; sets $app.
start_program() {
    [[ -n ${xvfb:-} ]] || start_xvfb
    own_environment "$work/home" "$work/runtime"
    env -i "${environment[@]}" "$@" >"$work/out.log" 2>&1 &
    app=$!
}

window_titled() {
    "$e2e_dir/x_windows.py" wait "$1" 30 || fail "window \"$1\" did not appear"
}

window_shown() { "$e2e_dir/x_windows.py" shown "$1"; }

close_window() { "$e2e_dir/x_windows.py" close "$1" || fail "window $1 did not take the request"; }

# click ID X Y: clicks the point X,Y (logical pixels) of a window's client area.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# click_control ID N NAME: clicks the centre of control NAME (Option1, Command1, …) of window N.
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

# Waits for the program to end, and fails unless its exit code is 0; WHAT names the case.
ends_with_0() { # [WHAT]
    wait_for_exit
    [[ $exit_status == 0 ]] || fail "${1:+$1: }exit code $exit_status"
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    start_xvfb
    "$@"
fi
