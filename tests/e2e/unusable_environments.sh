#!/usr/bin/env bash
# Environments Qt can show no window in are told in one line, in Qt's words, with status 1;
# display scale factors it cannot live with are replaced, and window 1 still appears.
set -euo pipefail
source "$(dirname "$0")/drive.sh"
program=${1:?usage: unusable_environments.sh path/to/kinematics-test}

# A display number with no server behind it.
dead=99
while [[ -e /tmp/.X11-unix/X$dead || -e /tmp/.X$dead-lock ]]; do dead=$((dead + 1)); done

# environment | Qt's own options | what the one line must say, in Qt's words
NO_WINDOW_SYSTEM=(
    "DISPLAY=:$dead||could not connect to display :$dead"
    "WAYLAND_DISPLAY=wayland-dead||Failed to create wl_display.*; could not connect to display;"
    "QT_QPA_PLATFORM=bogus||Could not find the Qt platform plugin \"bogus\""
    "QT_QPA_PLATFORM=xcb|-display :$dead|could not connect to display :$dead"
    "DISPLAY=:$dead|-platform bogus|Could not find the Qt platform plugin \"bogus\""
)
for row in "${NO_WINDOW_SYSTEM[@]}"; do
    IFS='|' read -r vars arguments said <<<"$row"
    scratch=$(mktemp -d)
    status=0
    # shellcheck disable=SC2086 # the row's variables and options are meant to split
    env -i PATH=/usr/bin:/bin HOME="$scratch" XDG_RUNTIME_DIR="$scratch" LC_ALL=C.UTF-8 $vars \
        "$program" $arguments >"$scratch/out" 2>"$scratch/err" || status=$?
    [[ $status == 1 ]] || fail "$vars $arguments: exit status $status, not 1"
    [[ $(wc -l <"$scratch/err") == 1 && ! -s $scratch/out ]] ||
        fail "$vars $arguments: not one line: $(cat "$scratch/err")"
    grep -q "^kinematics-test: .*$said" "$scratch/err" ||
        fail "$vars $arguments: said $(cat "$scratch/err")"
    rm -rf "$scratch"
    echo "$vars $arguments: one line, status 1"
done

# given | used | window 1's client area at that scale
SCALE_FACTORS=(
    "0|1|619x251"
    "nan|1|619x251"
    "0.5|1|619x251"
    "100|4|2476x1004"
)
for row in "${SCALE_FACTORS[@]}"; do
    IFS='|' read -r given used size <<<"$row"
    start_program QT_SCALE_FACTOR="$given" "$program"
    w=$(window_titled 1)
    shown=$(xdotool getwindowgeometry "$w" | sed -n 's/ *Geometry: //p')
    [[ $shown == "$size" ]] || fail "QT_SCALE_FACTOR=$given: window 1 is $shown, not $size"
    grep -qxF "kinematics-test: warning: QT_SCALE_FACTOR=$given cannot be used; using $used" \
        "$work/out.log" || fail "QT_SCALE_FACTOR=$given: no warning naming $used"
    stop_program
    echo "QT_SCALE_FACTOR=$given: used $used"
done
