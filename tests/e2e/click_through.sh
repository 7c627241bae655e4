#!/usr/bin/env bash
# Takes the whole test in the built program on a real X server, with real mouse events:
# one wrong answer in window 1, then the right answer in every window, then "Выход".
# Usage: click_through.sh path/to/kinematics-test none|private LOCALE
#   the program runs with no session bus or a private one, and the test in LOCALE
set -euo pipefail
source "$(dirname "$0")/drive.sh"
(($# == 3)) || fail "usage: click_through.sh path/to/kinematics-test none|private LOCALE"
session_bus "$2" "$0" "$@"
export KT_LOCALE=$3 LC_ALL=$3
start_program "$1"

# A wrong answer first; the windows' own tests check what it writes.
w=$(window_titled 1)
click_control "$w" 1 Option1  # wrong in window 1
click_control "$w" 1 Command1 # Далее

for row in "${RIGHT_ANSWERS[@]}"; do
    read -r n ox oy cx cy <<<"$row"
    w=$(window_titled "$n")
    click "$w" "$ox" "$oy"
    click "$w" "$cx" "$cy"
    next=$((n + 1))
    [[ $next == 11 ]] && next="Результат"
    window_titled "$next" >/dev/null
    window_shown "$n" && fail "window $n is still shown"
done

w=$(window_titled "Результат")
click_control "$w" 11 Command1 # Выход
ends_with_0
echo "click_through ($2 session bus, $3): passed"
