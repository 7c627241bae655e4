#!/usr/bin/env bash
# Under a real window manager (openbox), every window's outer frame, title bar included, is
# centred on the screen; on a screen too small for it, the frame starts at the screen's top-left
# corner, and a pupil with only a mouse drags the window by its title bar to reach what lies
# beyond the edge. Either way the test is taken to the end.
# Usage: window_manager.sh path/to/kinematics-test
set -euo pipefail
source "$(dirname "$0")/drive.sh"
program=${1:?usage: window_manager.sh path/to/kinematics-test}
frame() { "$e2e_dir/x_windows.py" frame "$1"; }

# Waits for the window's frame to be placed: centred along an axis where it fits (within a
# pixel), at the screen's edge where it does not.
placed() {
    local x y fx fy fw fh
    for _ in $(seq 250); do
        read -r x y fx fy fw fh < <(frame "$1")
        if ((fw <= W ? (2 * fx + fw - W) ** 2 <= 4 : fx == 0)) &&
            ((fh <= H ? (2 * fy + fh - H) ** 2 <= 4 : fy == 0)); then
            return
        fi
        sleep 0.02
    done
    fail "window $2 on ${W}x$H: frame at $fx,$fy, ${fw}x$fh"
}

# Drags window $1 by its title bar so that the point (twips $2, $3 of its client area) comes to
# the middle of the screen, if it lies off the screen; holds the button until the window moved.
reach() {
    local x y fx fy fw fh px py dx dy gx gy moved
    read -r x y fx fy fw fh < <(frame "$1")
    px=$((x + $(px "$2"))) py=$((y + $(px "$3")))
    ((px >= 0 && px < W && py >= 0 && py < H)) && return
    dx=$((W / 2 - px)) dy=$((H / 2 - py))
    gy=$(((fy + y) / 2))                   # the middle of the title bar
    gx=$((dx < 0 ? W - 20 : 40))           # on the title bar, and dragged within the screen
    xdotool mousemove "$gx" "$gy" mousedown 1 mousemove $((gx + dx / 2)) $((gy + dy / 2)) \
        mousemove $((gx + dx)) $((gy + dy))
    for _ in $(seq 250); do
        read -r moved _ < <(frame "$1")
        [[ $moved != "$x" ]] && break
        sleep 0.02
    done
    xdotool mouseup 1
    read -r x y _ < <(frame "$1")
    px=$((x + $(px "$2"))) py=$((y + $(px "$3")))
    ((px >= 0 && px < W && py >= 0 && py < H)) || fail "dragging did not bring $2,$3 on screen"
}

# Clicks a control (twips) after bringing it on screen.
press() {
    reach "$1" $(($2 + $4 / 2)) $(($3 + $5 / 2))
    click "$@"
}

for screen in 1280x800 320x240; do
    W=${screen%x*} H=${screen#*x}
    start_xvfb "$screen"
    start_window_manager
    start_program "$program"
    for row in "${RIGHT_ANSWERS[@]}"; do
        read -r n ol ot cl ct <<<"$row"
        w=$(window_titled "$n")
        placed "$w" "$n"
        press "$w" "$ol" "$ot" 255 255
        press "$w" "$cl" "$ct" 1215 495
    done
    w=$(window_titled "Результат")
    placed "$w" "Результат"
    press "$w" 3360 2198 1215 495 # Выход
    wait_for_exit
    [[ $exit_status == 0 ]] || fail "on ${W}x$H: exit code $exit_status"
    stop_program
    echo "on ${W}x$H: every window placed, the test taken to the result"
done
