#!/usr/bin/env bash
# Takes the whole test in the built program as a screen reader user would, through the AT-SPI
# bus only (screen_reader.py), on a private X server and a private D-Bus session in which
# accessibility is switched on the way screen readers switch it on.
# Usage: screen_reader.sh path/to/kinematics-test
set -euo pipefail
program=$(realpath "${1:?usage: screen_reader.sh path/to/kinematics-test}")
here=$(cd "$(dirname "$0")" && pwd)

source "$here/drive.sh"
# A session bus of its own, gone with the test, and with it the accessibility bus it starts.
session_bus private "$0" "$program"
screen_reader_on

start_program "$program"
/usr/bin/python3 -B "$here/screen_reader.py" "$app" || fail "the screen reader's walk through failed"
wait_for_exit
[[ $exit_status == 0 ]] || fail "exit code $exit_status"
echo "screen_reader: passed"
