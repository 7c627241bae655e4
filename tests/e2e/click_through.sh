#!/usr/bin/env bash
# Takes the whole test in the built program on a real X server, with real mouse events:
# one wrong answer in window 1, then the right answer in every window, then "Выход".
# Usage: click_through.sh path/to/kinematics-test
set -euo pipefail
program=${1:?usage: click_through.sh path/to/kinematics-test}
work=$(mktemp -d)
cleanup() {
    [[ -n ${app:-} ]] && kill "$app" 2>/dev/null || true
    [[ -n ${xvfb:-} ]] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR=$work
unset QT_QPA_PLATFORM

"$program" >"$work/out.log" 2>&1 &
app=$!

fail() { echo "click_through: $*" >&2; cat "$work/out.log" >&2; exit 1; }

# Waits until the only visible window of the program is titled $1, and prints its id.
window_titled() {
    local id
    id=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1) ||
        fail "window \"$1\" did not appear"
    echo "$id"
}

px() { echo $(((2 * $1 + 15) / 30)); } # twips to pixels, rounded
# Clicks the middle of a control given by its Left, Top, Width, Height in twips.
click() {
    xdotool mousemove --window "$1" $(($(px "$2") + ($(px $(($2 + $4))) - $(px "$2")) / 2)) \
        $(($(px "$3") + ($(px $(($3 + $5))) - $(px "$3")) / 2)) click 1
}

# Window, the right option's Left and Top, Command1's Left and Top (twips, from the layout sheet).
rows=(
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

# A wrong answer first; the windows' own tests check what it writes.
w=$(window_titled 1)
click "$w" 840 720 255 255    # Option1 of window 1 is wrong
click "$w" 4200 1680 1215 495 # Далее

for row in "${rows[@]}"; do
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
for _ in $(seq 200); do kill -0 "$app" 2>/dev/null || break; sleep 0.05; done
kill -0 "$app" 2>/dev/null && fail "the program did not end after Выход"
status=0
wait "$app" || status=$?
app=
[[ $status == 0 ]] || fail "exit code $status"
echo "click_through: passed"
