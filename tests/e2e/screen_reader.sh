#!/usr/bin/env bash
# Takes the whole test in the built program as a screen reader user would, through the AT-SPI
# bus only (screen_reader.py), on a private X server and a private D-Bus session in which
# accessibility is switched on the way screen readers switch it on.
set -euo pipefail
program=$(realpath "${1:?usage: screen_reader.sh path/to/kinematics-test}")
source "$(dirname "$0")/drive.sh"
# A session bus of its own, gone with the test, and with it the accessibility bus it starts.
screen_reader_session "$0" "$program"

start_program "$program"
/usr/bin/python3 -B "$e2e_dir/screen_reader.py" "$app" || fail "the screen reader's walk through failed"
ends_with_0
echo "screen_reader: passed"
