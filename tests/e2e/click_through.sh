#!/usr/bin/env bash
# Takes the whole test in the built program on a real X server, with real mouse events:
# one wrong answer in window 1, then the right answer in every window, then "Выход".
# Usage: click_through.sh path/to/kinematics-test
set -euo pipefail
source "$(dirname "$0")/drive.sh"
start_program "${1:?usage: click_through.sh path/to/kinematics-test}"

# A wrong answer first; the windows' own tests check what it writes.
w=$(window_titled 1)
click "$w" 840 720 255 255    # Option1 of window 1 is wrong
click "$w" 4200 1680 1215 495 # Далее

for row in "${RIGHT_ANSWERS[@]}"; do
    read -r n ol ot cl ct <<<"$row"
    w=$(window_titled "$n")
    click "$w" "$ol" "$ot" 255 255
    click "$w" "$cl" "$ct" 1215 495
    next=$((n + 1))
    [[ $next == 11 ]] && next="Результат"
    window_titled "$next" >/dev/null
    xdotool search --onlyvisible --name "^$n\$" >/dev/null && fail "window $n is still shown"
done

w=$(window_titled "Результат")
click "$w" 3360 2198 1215 495 # Выход
wait_for_exit
[[ $exit_status == 0 ]] || fail "exit code $exit_status"
echo "click_through: passed"
