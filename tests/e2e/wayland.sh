#!/usr/bin/env bash
# On a real Wayland compositor (Weston, headless) with no X server: Qt chooses Wayland by itself,
# as it does in a GNOME session, window 1 is shown (its title and a drawn buffer go to the
# compositor), and the test is taken to the result and ended there. Weston's headless backend
# takes no input, so the walk goes through the AT-SPI bus (wayland.py).
set -euo pipefail
program=$(realpath "${1:?usage: wayland.sh path/to/kinematics-test}")
source "$(dirname "$0")/drive.sh"
screen_reader_session "$0" "$program"
display_in_environment=no # no X server, none named to Weston or the program

work=$(mktemp -d)
trap stop_program EXIT
own_environment "$work/home" "$work/runtime"
env -i "${environment[@]}" weston --backend=headless-backend.so --use-pixman --socket=wayland-kt \
    --idle-time=0 >"$work/weston.log" 2>&1 &
wm=$! # stopped with the rest
appears -S "$work/runtime/wayland-kt" || fail "weston did not start: $(cat "$work/weston.log")"

# WAYLAND_DEBUG writes the program's side of the protocol to its standard error.
env -i "${environment[@]}" WAYLAND_DISPLAY=wayland-kt XDG_CURRENT_DESKTOP=GNOME WAYLAND_DEBUG=client \
    "$program" >"$work/out.log" 2>"$work/protocol.log" &
app=$!
# Window 1 goes to the compositor as a top-level window of that title, and is drawn: a buffer is
# attached to a surface after the title was set. The walk waits for it: on a busy machine it could
# otherwise answer window 1 before the compositor's first configure let the program draw it.
drawn() {
    local title
    title=$(grep -n -m1 -E 'xdg_toplevel@[0-9]+\.set_title\("1"\)' "$work/protocol.log" | cut -d: -f1)
    [[ -n $title ]] &&
        tail -n +"$title" "$work/protocol.log" | grep -q -E 'wl_surface@[0-9]+\.attach\(wl_buffer@'
}
until=$((SECONDS + 60))
until drawn; do
    ((SECONDS < until)) && kill -0 "$app" 2>/dev/null ||
        fail "window 1 was not drawn: $(grep -m5 set_title "$work/protocol.log")"
    sleep 0.05
done
/usr/bin/python3 -B "$e2e_dir/wayland.py" "$app" || {
    tail -n 20 "$work/protocol.log" >&2
    fail "the walk through to the result failed"
}
ends_with_0
echo "wayland: window 1 shown, the test taken to the result, exit code 0"
