#!/bin/sh
# Builds the picture-reader fuzzers and runs each for SECONDS seconds, keeping what they learn
# in a corpus inside the build tree.
#   tests/fuzz/run-fuzzers.sh SECONDS [BUILD_DIR]
# BUILD_DIR (default build/asan) must be configured with clang and -DKT_FUZZ=ON, best also
# -DKT_SANITIZE=ON so that the readers carry coverage instrumentation.
set -eu

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 SECONDS [BUILD_DIR]" >&2
    exit 2
fi
seconds=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${2:-$root/build/asan}
targets=${KT_FUZZ_TARGETS:-"fuzz_picture_record fuzz_bmp fuzz_emf fuzz_paint"}

if ! grep -q '^KT_FUZZ:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
    echo "$build is not configured with -DKT_FUZZ=ON" >&2
    exit 2
fi
# shellcheck disable=SC2086 # the target list is meant to split
cmake --build "$build" -j2 --target $targets

status=0
for target in $targets; do
    work="$build/tests/fuzz/long-corpus/$target"
    mkdir -p "$work"
    cp -n "$root/tests/fuzz/corpus/$target/"* "$work/"
    echo "== $target for ${seconds}s"
    if ! "$build/tests/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="$build/tests/fuzz/$target-" "$work"; then
        echo "$target found a fault; the input is in $build/tests/fuzz/" >&2
        status=1
    fi
done
exit $status
