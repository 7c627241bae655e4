#!/bin/sh
# Builds the picture generator and redraws the question pictures and the icon into
# assets/pictures and assets/icon. Pass --check to compare instead of writing.
#
#   tools/generate-pictures.sh [--check]
#
# The generator is built from tools/ alone, in BUILD_DIR (default build/pictures), so the
# rest of the tree need not build for the pictures to be redrawn.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/pictures}

cmake -S "$root/tools" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target kt_picture_generator -j 2
"$build/kt_picture_generator" "$@" "$root/assets"
