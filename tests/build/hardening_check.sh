#!/usr/bin/env bash
# The executable is built hardened: PIE, stack protector, full RELRO (read-only relocations and
# immediate binding), checked on the binary itself by hardening-check. Fortified libc calls only
# show in a binary when some call has a destination size the compiler knows, which ours have
# not, so for that one the flag is checked on every compile command instead.
# Usage: hardening_check.sh path/to/kinematics-test path/to/compile_commands.json
set -euo pipefail
binary=${1:?usage: hardening_check.sh BINARY COMPILE_COMMANDS}
commands=${2:?usage: hardening_check.sh BINARY COMPILE_COMMANDS}

hardening-check --nofortify --nocfprotection "$binary"

total=$(grep -c '"command"' "$commands")
fortified=$(grep '"command"' "$commands" | grep -c -- '-D_FORTIFY_SOURCE=2' || true)
optimised=$(grep '"command"' "$commands" | grep -c -E -- ' -O[123s]' || true)
echo "compile commands: $total, with _FORTIFY_SOURCE=2: $fortified, optimised: $optimised"
[[ $fortified == "$total" && $optimised == "$total" ]] ||
    { echo "hardening_check: some sources are built without _FORTIFY_SOURCE=2 or optimisation" >&2; exit 1; }
