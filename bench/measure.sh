#!/usr/bin/env bash
# Start-up of the installed program against a bare Qt window built the same way, the time of every
# move from one question to the next, and reading and painting the pictures, on a private X
# server; the browser build's transfer size, start-up and moves (bench/web.mjs), and what reporting
# to a learning platform adds to a move (bench/scorm.mjs). Writes
# docs/performance.md.
# Usage: bench/measure.sh [ROUNDS]   (start-up: ROUNDS runs of each program, taken in turn; 31)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-31}
scripts/install-deps run test web valgrind
cmake --preset bench >/dev/null
cmake --build --preset bench --target kinematics-test bare_window window_timer \
    transition_probe pictures_bench >/dev/null

source tests/e2e/drive.sh
start_xvfb
# Both programs start as on a machine without a desktop session: their own HOME and
# XDG_RUNTIME_DIR, a known locale, and no session bus.
own_environment "$work/home" "$work/runtime"
clean=(env -i "${environment[@]}")

# The program as a user gets it: the Release build, installed and stripped as the package has it.
# The bare window comes from the same build, so it has the same flags (PIE, full RELRO, stack
# protector, fortified calls), and is stripped the same way.
cmake --install build/bench --prefix "$work/usr" --component program --strip >/dev/null
install -s build/bench/bench/bare_window "$work/usr/bin/bare-window"
real=$work/usr/bin/kinematics-test
bare=$work/usr/bin/bare-window

# Each program is started, timed to its window "1" mapped and to the first drawing into it, then
# killed; the two take turns, so that both see the same machine.
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
"${clean[@]}" build/bench/bench/window_timer 1 3 "$real" "$bare" >/dev/null # warm-up
"${clean[@]}" build/bench/bench/window_timer 1 "$rounds" "$real" "$bare" >"$work/startup.tsv"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
median() { # PROGRAM COLUMN
    awk -F'\t' -v p="$1" -v c="$2" '$1 == p { print $c }' "$work/startup.tsv" | sort -g |
        awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
row() { # TITLE COLUMN TARGET [SCALE]
    local r b
    r=$(median 0 "$2") b=$(median 1 "$2")
    awk -v t="$1" -v r="$r" -v b="$b" -v g="$3" -v s="${4:-1}" \
        'BEGIN { printf "| %s | %.1f | %.1f | %.2f | %s |\n", t, r / s, b / s, r / b, g }'
}

# Instructions, which a busy machine does not change: callgrind counts them up to the program's
# request to map its window and up to the first image it puts into it.
instructions() { # PROGRAM; prints millions to the map and to the first paint
    local out=$work/callgrind.$(basename "$1") pid
    "${clean[@]}" valgrind --tool=callgrind --callgrind-out-file="$out.%p" \
        --dump-before=xcb_map_window --dump-before=xcb_shm_put_image --dump-before=xcb_image_put \
        "$1" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1200); do [[ -s $out.$pid.2 ]] && break; sleep 0.05; done
    kill "$pid" && wait "$pid" || true
    awk '/^summary:/ { n += $2; v = v sprintf(" %.2f", n / 1e6) } END { print v }' \
        "$out.$pid.1" "$out.$pid.2"
}
read -r real_map_mi real_paint_mi < <(instructions "$real")
read -r bare_map_mi bare_paint_mi < <(instructions "$bare")
instructions_row() { # TITLE REAL BARE
    awk -v t="$1" -v r="$2" -v b="$3" \
        'BEGIN { printf "| %s | %.2f | %.2f | %.2f |\n", t, r, b, r / b }'
}

transitions=$("${clean[@]}" build/bench/bench/transition_probe 50)
pictures=$(build/bench/bench/pictures_bench --benchmark_format=csv 2>/dev/null)

# The browser build, in Debian's chromium, with the desktop's start-up to the first paint beside it.
cmake --preset web >/dev/null
cmake --build --preset web --target kinematics-test-web >/dev/null
NODE_EXTRA_CA_CERTS=${NODE_EXTRA_CA_CERTS:-/etc/ssl/certs/ca-certificates.crt} \
    npm ci --prefix tests/web --ignore-scripts --no-audit --no-fund --loglevel=error >/dev/null
browser=$(node bench/web.mjs build/web/site 20 "$(median 0 4)")
cmake --build --preset web --target kinematics-test-scorm >/dev/null
scorm=$(node bench/scorm.mjs build/web 10)

mkdir -p docs
{
    echo "# Performance"
    echo
    echo "Measured by \`bench/measure.sh\` on $(date -u +%Y-%m-%d), on Xvfb."
    echo
    echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'),"
    echo "$(free -g | awk '/Mem:/ {print $2}') GiB; $(. /etc/os-release; echo "$PRETTY_NAME"); Qt $(pkg-config --modversion Qt6Widgets 2>/dev/null || echo 6)."
    echo
    echo "## Start-up of window \"1\""
    echo
    echo "| median of $rounds runs | kinematics-test | bare Qt window | ratio | target |"
    echo "|---|---|---|---|---|"
    row "from exec to the window mapped (ms)" 3 "at most 1.10"
    row "from exec to its first paint (ms)" 4 "at most 1.10"
    row "processor time by the first paint (ms)" 5 "—"
    row "peak memory by the first paint (MiB)" 6 "at most 1.25" 1024
    echo
    echo "Both programs are Release builds from the same tree with the same flags (PIE, full"
    echo "RELRO, stack protector, fortified calls), installed and stripped as the Debian package"
    echo "has them. The bare window has one push button, one radio button and one label."
    echo "\`bench/window_timer\`, a small X client, starts each program, notes when its window"
    echo "\"1\" is mapped (MapNotify) and when the program first draws into it (a DAMAGE report),"
    echo "then kills it and reads its processor time and peak resident set from the kernel. The"
    echo "two programs take turns, the order reversed every other round, after 3 rounds of"
    echo "warm-up. Load average (1, 5, 15 minutes) before the runs: $load_before; after:"
    echo "$load_after."
    echo
    echo "Instructions counted by callgrind in one run of each, the same on a busy machine as on"
    echo "a quiet one:"
    echo
    echo "| millions of instructions | kinematics-test | bare Qt window | ratio |"
    echo "|---|---|---|---|"
    instructions_row "from exec to the request to map the window" "$real_map_mi" "$bare_map_mi"
    instructions_row "from exec to the first image put into it" "$real_paint_mi" "$bare_paint_mi"
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
    echo
    echo "$scorm"
    # What was measured by hand (Lighthouse) is kept from the last edition.
    git show HEAD:docs/performance.md 2>/dev/null | sed -n '/^### Lighthouse (by hand/,$p' |
        sed '1s/^/\n/'
} >docs/performance.md.new
mv docs/performance.md.new docs/performance.md
cat docs/performance.md
