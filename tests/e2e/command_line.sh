#!/usr/bin/env bash
# The command line: --help and --version answer without a display, a mistake is named in one
# line with status 2, and Qt's own options still reach Qt.
set -euo pipefail
source "$(dirname "$0")/drive.sh"
program=${1:?usage: command_line.sh path/to/kinematics-test}

# arguments | exit status | the whole of what it prints (stdout, then stderr), as a pattern
cases=(
    "--help|0|^Usage: kinematics-test \[--help\] \[--version\] \[Qt options\]"
    "--version|0|^kinematics-test 1\.00$"
    "-h|0|^Usage: kinematics-test"
    "--frobnicate|2|^kinematics-test: unknown option '--frobnicate' \(see kinematics-test --help\)$"
    "answers.txt|2|^kinematics-test: unexpected argument 'answers.txt' \(see kinematics-test --help\)$"
    "-platform|2|^kinematics-test: option '-platform' needs a value \(see kinematics-test --help\)$"
)
for row in "${cases[@]}"; do
    IFS='|' read -r arguments status pattern <<<"$row"
    actual=0
    # No display at all: none of these may need one.
    output=$(env -i PATH=/usr/bin:/bin "$program" $arguments 2>&1) || actual=$?
    [[ $actual == "$status" ]] || fail "'$arguments': exit status $actual, not $status: $output"
    grep -Eq "$pattern" <<<"$output" || fail "'$arguments' printed: $output"
    [[ $status == 0 ]] || (($(wc -l <<<"$output") == 1)) || fail "'$arguments': more than one line"
    echo "'$arguments': $status"
done

# Qt's -display names the X server; the environment names none.
start_xvfb
display_in_environment=no start_program "$program" -display "$DISPLAY"
close_window "$(window_titled 1)"
ends_with_0 -display
echo "'-display $DISPLAY': the first window appeared, and closing it ended the program with 0"
