#!/usr/bin/env bash
# Start-up of the real program against a bare Qt window and the time of every move from one
# question to the next, on a private X server; reading and painting the pictures; the browser
# build's transfer size, start-up and moves (bench/web.mjs). Writes docs/performance.md.
# Usage: bench/measure.sh [ROUNDS]   (each round: 10 runs of each start-up probe, taken in turn)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
scripts/install-deps hyperfine time jq
cmake --preset gcc >/dev/null
cmake --build --preset gcc --target startup_probe bare_window_probe transition_probe \
    pictures_bench >/dev/null
real=build/gcc/bench/startup_probe
bare=build/gcc/bench/bare_window_probe

source tests/e2e/drive.sh
start_xvfb
export XDG_RUNTIME_DIR=$work
unset QT_QPA_PLATFORM

# Wall time: the two probes in turn, round after round, so that both see the same machine.
for round in $(seq "$rounds"); do
    hyperfine --shell=none --style none --warmup 3 --runs 10 --export-json "$work/round$round.json" \
        "$real" "$bare" >/dev/null
done
median_ms() { # all runs of one command over every round
    jq -s --arg c "$1" '[.[].results[] | select(.command == $c) | .times[]] | sort |
        .[length / 2 | floor] * 1000' "$work"/round*.json
}
real_ms=$(median_ms "$real")
bare_ms=$(median_ms "$bare")

# Peak memory: maximum resident set, median of 15 runs each.
peak_kb() {
    for _ in $(seq 15); do
        /usr/bin/time -v "$1" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }'
    done |
        sort -n | sed -n 8p
}
real_kb=$(peak_kb "$real")
bare_kb=$(peak_kb "$bare")

transitions=$(build/gcc/bench/transition_probe 50)

# The browser build, in Debian's chromium, with the desktop's start-up beside its own.
cmake --preset web >/dev/null
cmake --build --preset web --target kinematics-test-web >/dev/null
NODE_EXTRA_CA_CERTS=${NODE_EXTRA_CA_CERTS:-/etc/ssl/certs/ca-certificates.crt} \
    npm ci --prefix tests/web --ignore-scripts --no-audit --no-fund --loglevel=error >/dev/null
browser=$(node bench/web.mjs build/web/site 20 "$(printf %.1f "$real_ms")")
pictures=$(build/gcc/bench/pictures_bench --benchmark_format=csv 2>/dev/null)

mkdir -p docs
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
{
    echo "# Performance"
    echo
    echo "Measured by \`bench/measure.sh\` on $(date -u +%Y-%m-%d), on Xvfb."
    echo
    echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'),"
    echo "$(free -g | awk '/Mem:/ {print $2}') GiB; $(. /etc/os-release; echo "$PRETTY_NAME"); Qt $(pkg-config --modversion Qt6Widgets 2>/dev/null || echo 6)."
    echo
    echo "## Start-up to the first paint of window \"1\""
    echo
    echo "| | kinematics-test | bare Qt window | ratio | target |"
    echo "|---|---|---|---|---|"
    echo "| wall time, median (ms) | $(printf %.1f "$real_ms") | $(printf %.1f "$bare_ms") | $(ratio "$real_ms" "$bare_ms") | at most 1.15 |"
    echo "| peak memory, median (MiB) | $(ratio "$real_kb" 1024) | $(ratio "$bare_kb" 1024) | $(ratio "$real_kb" "$bare_kb") | at most 1.25 |"
    echo
    echo "The bare window has one push button, one radio button and one label. Wall times: $rounds"
    echo "rounds of 10 runs of each probe (hyperfine, after 3 warm-up runs); memory: maximum"
    echo "resident set of 15 runs each (\`/usr/bin/time -v\`)."
    echo
    echo "## From the click on «Далее» to the next window painted"
    echo
    echo "50 passes through the test in one process; target: median at most 8 ms."
    echo
    echo "| move | median (ms) | slowest (ms) |"
    echo "|---|---|---|"
    tail -n +2 <<<"$transitions" | awk -F'\t' '{ printf "| %s | %s | %s |\n", $1, $2, $3 }'
    echo
    echo "## Pictures"
    echo
    echo "Google Benchmark (\`bench/pictures_bench\`), offscreen; targets: all sixteen records read"
    echo "in under 1 ms together, one metafile box painted in under 1 ms."
    echo
    echo "| what | time (µs) |"
    echo "|---|---|"
    tail -n +2 <<<"$pictures" | awk -F, '{ gsub(/"/, "", $1); printf "| %s | %.1f |\n", $1, $3 }'
    echo
    echo "$browser"
} >docs/performance.md.new
mv docs/performance.md.new docs/performance.md
cat docs/performance.md
