#!/usr/bin/env bash
# Closing the window on screen ends the program with exit code 0 and leaves no process behind,
# whichever of the eleven windows it is.
set -euo pipefail
source "$(dirname "$0")/drive.sh"
program=${1:?usage: close_anywhere.sh path/to/kinematics-test}

for at in $(seq 11); do
    start_program "$program"
    for row in "${RIGHT_ANSWERS[@]:0:at-1}"; do
        read -r n ox oy cx cy <<<"$row"
        w=$(window_titled "$n")
        click "$w" "$ox" "$oy"
        click "$w" "$cx" "$cy"
    done
    title=$at
    [[ $at == 11 ]] && title="Результат"
    w=$(window_titled "$title")
    close_window "$w"
    pid=$app
    ends_with_0 "closing window $title"
    kill -0 "$pid" 2>/dev/null && fail "closing window $title left the process running"
    stop_program
    echo "closing window $title: ended with 0"
done
