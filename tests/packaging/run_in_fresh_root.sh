#!/usr/bin/env bash
# scripts/run on a machine that has nothing yet (CI runs this in a fresh root, before the tests):
# it installs exactly what apt brings for the run set, no more, builds the program with that
# alone, and, given an X server, shows window 1. Only then are the X server and its client
# library installed, both from the test set.
# Usage: tests/packaging/run_in_fresh_root.sh   (as root, in the checkout's folder)
set -euo pipefail
cd "$(dirname "$0")/../.."
installed() { dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '/^ii/ { print $2 }' | sort; }

before=$(installed)
apt-get update -qq
# What apt itself would install for the run set on this machine: the oracle.
expected=$(apt-get install --simulate --no-install-recommends $(scripts/install-deps --list run) |
    awk '/^Inst / { print $2 }' | sort)
output=$(scripts/run --version </dev/null)
echo "$output"
version=${output##*$'\n'} # the program's answer, after the build's progress
[[ $version == "kinematics-test "* ]] || { echo "scripts/run --version printed: $version" >&2; exit 1; }
brought=$(comm -13 <(echo "$before") <(installed))
[[ $brought == "$expected" ]] || {
    echo "scripts/run installed other packages than the run set brings:" >&2
    diff <(echo "$expected") <(echo "$brought") >&2
    exit 1
}
echo "scripts/run installed $(wc -l <<<"$brought") packages, those of the run set, and built $version"

scripts/install-deps xvfb python3-xlib >/dev/null
source tests/e2e/drive.sh
start_program scripts/run
# scripts/run first checks its packages and its build, so the window takes longer than the
# program alone.
close_window "$("$e2e_dir/x_windows.py" wait 1 300 || fail "window 1 did not appear")"
ends_with_0 scripts/run
echo "scripts/run showed window 1, and closing it ended the program with 0"
