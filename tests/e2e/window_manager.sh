#!/usr/bin/env bash
# Under a real window manager (openbox), every window's outer frame, title bar included, is
# centred on the screen; on a screen too small for it, the frame starts at the screen's top-left
# corner, and a pupil with only a mouse drags the window by its title bar to reach what lies
# beyond the edge. Either way the test is taken to the end. Under openbox and icewm, window 1
# appears where it stays: its frame is mapped once and not moved until it is closed.
set -euo pipefail
source "$(dirname "$0")/drive.sh"
program=${1:?usage: window_manager.sh path/to/kinematics-test}

# Where window $1 is now: its client area's top-left corner (x, y) and its frame (fx, fy, fw, fh).
locate() { read -r x y fx fy fw fh < <("$e2e_dir/x_windows.py" frame "$1"); }

# Waits up to ten seconds for window $1's frame to be placed: centred along an axis where it
# fits (within a pixel), starting at the screen's edge where it does not.
placed() {
    local until=$((SECONDS + 10))
    while locate "$1"; do
        ((fw <= W ? (2 * fx + fw - W) ** 2 <= 4 : fx == 0)) &&
            ((fh <= H ? (2 * fy + fh - H) ** 2 <= 4 : fy == 0)) && return
        ((SECONDS < until)) || fail "window $2 on ${W}x$H: frame at $fx,$fy, ${fw}x$fh"
        sleep 0.02
    done
}

# Succeeds once window $1 has left the place where locate last saw it, within $2 seconds.
following() {
    local was_x=$x was_y=$y until=$((SECONDS + $2))
    while locate "$1"; do
        ((x != was_x || y != was_y)) && return
        ((SECONDS < until)) || { x=$was_x y=$was_y; return 1; }
        sleep 0.02
    done
}

# Brings two points ($2,$3 and $4,$5 of window $1's client area) on screen if either lies
# off it: drags the window by its title bar so that their middle comes towards the middle of the
# screen, holding the button until the window has followed the pointer, as a pupil watches it.
reach() {
    local ax ay bx by gx gy tx ty to_x to_y until try step
    for try in 0 1 2 3; do
        ax=$((x + $2)) ay=$((y + $3)) bx=$((x + $4)) by=$((y + $5))
        ((ax >= 0 && ax < W && ay >= 0 && ay < H && bx >= 0 && bx < W && by >= 0 && by < H)) &&
            return
        gy=$(((fy + y) / 2))                    # the middle of the title bar
        # On it, at the end the drag moves away from; each try a little further along, since a
        # press where the last one was would be a double click, which maximises the window.
        gx=$((ax + bx < W ? 40 + 20 * try : W - 20 - 20 * try))
        tx=$((gx + W / 2 - (ax + bx) / 2)) ty=$((gy + H / 2 - (ay + by) / 2))
        tx=$((tx < 0 ? 0 : tx >= W ? W - 1 : tx)) ty=$((ty < 0 ? 0 : ty >= H ? H - 1 : ty))
        to_x=$((x + tx - gx)) to_y=$((y + ty - gy))
        # Pressed, the pointer goes a few pixels at a time until the window follows, then the
        # rest of the way; the button is held until the window is there.
        xdotool mousemove "$gx" "$gy" mousedown 1
        for step in 1 2 3 4 5; do
            xdotool mousemove $((gx + (tx - gx) * step / 20)) $((gy + (ty - gy) * step / 20))
            following "$1" 1 && break
        done
        xdotool mousemove "$tx" "$ty"
        until=$((SECONDS + 5))
        while locate "$1" && (((x - to_x) ** 2 + (y - to_y) ** 2 > 400)) && ((SECONDS < until)); do
            sleep 0.02 # the screen's edges resist a little, hence the 20 pixels
        done
        xdotool mouseup 1
        locate "$1"
    done
    fail "window $1: dragging did not bring $2,$3 and $4,$5 on the ${W}x$H screen"
}

# Clicks a point of window $1's client area that is on screen.
press() {
    local px=$((x + $2)) py=$((y + $3))
    ((px >= 0 && px < W && py >= 0 && py < H)) || fail "window $1: $2,$3 is off the screen"
    click "$@"
}

for manager in openbox icewm; do
    for screen in 1280x800 320x240; do
        W=${screen%x*} H=${screen#*x}
        start_xvfb "$screen"
        start_window_manager "$manager"
        # The X server's own account of window 1's frame, from before the program starts.
        exec {record}< <("$e2e_dir/x_windows.py" moves 1 60)
        read -r -u "$record" _ # it listens
        start_program "$program"
        w=$(window_titled 1)
        placed "$w" 1
        close_window "$w"
        wait_for_exit
        mapfile -t -u "$record" seen
        exec {record}<&-
        [[ "${seen[*]}" == "mapped $fx $fy unmapped" ]] ||
            fail "under $manager on ${W}x$H, window 1 ends at $fx,$fy; its frame: ${seen[*]}"
        echo "under $manager on ${W}x$H: window 1 mapped at $fx,$fy and not moved"
        # Under openbox, the whole test by mouse on the same screen.
        if [[ $manager == openbox ]]; then
            start_program "$program"
            for row in "${RIGHT_ANSWERS[@]}"; do
                read -r n ox oy cx cy <<<"$row"
                w=$(window_titled "$n")
                placed "$w" "$n"
                # Both controls on screen before either is clicked: a press on the title bar just
                # after a click in the window would be a double click, which maximises it.
                reach "$w" "$ox" "$oy" "$cx" "$cy"
                press "$w" "$ox" "$oy"
                press "$w" "$cx" "$cy"
            done
            w=$(window_titled "Результат")
            placed "$w" "Результат"
            read -r cx cy <<<"${CENTRE[11 Command1]}"
            reach "$w" "$cx" "$cy" "$cx" "$cy"
            press "$w" "$cx" "$cy" # Выход
            ends_with_0 "on ${W}x$H"
            echo "on ${W}x$H: every window placed, the test taken to the result"
        fi
        stop_program
    done
done
