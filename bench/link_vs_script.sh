#!/usr/bin/env bash
# Run by hand: the link's cost per command line beside a plain script's, on one simulator.
# bench/send_and_wait.py (pyserial) and link_bench send the same word line and wait for its
# ending, taking turns, five runs each, against one krv-board-sim process; prints the median
# wall time and CPU per line of each. Needs Debian's python3-serial (apt-get install
# python3-serial) and the optimised build, which `tools/bench.sh link_vs_script` makes before
# it runs this.
# usage: bench/link_vs_script.sh [LINES]   (lines per run, 20000 unless given)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KRV_BUILD_DIR:-build-run}
lines=${1:-20000}
runs=5

log=$(mktemp)
"$build/sim/krv-board-sim" --personality 2 >"$log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true; rm -f "$log"' EXIT
for _ in $(seq 50); do
    grep -q -- '^--port ' "$log" && break
    sleep 0.1
done
device=$(grep -m1 -- '^--port ' "$log" | cut -d= -f2)
[ -n "$device" ] || { cat "$log"; echo "The board simulator did not start." >&2; exit 1; }

# "WALL CPU" per line in milliseconds, from the two lines both programs print.
measure() {
    "$@" | sed -n 's/^round trip per .*: \([0-9.]*\) ms$/\1/p; s/^program CPU per line: \([0-9.]*\) ms$/\1/p' |
        paste -sd' '
}
median() {
    sort -n | sed -n "$(((runs + 1) / 2))p"
}

script=() link=()
for _ in $(seq "$runs"); do
    script+=("$(measure /usr/bin/python3 bench/send_and_wait.py "$device" "$lines")")
    link+=("$(measure "$build/bench/link_bench" "$device" "$lines" 2> >(grep -v XDG_RUNTIME_DIR >&2))")
done

report() {
    local name=$1
    shift
    printf '%s: wall %s ms, CPU %s ms per line (medians of %d runs of %d lines)\n' "$name" \
        "$(printf '%s\n' "$@" | cut -d' ' -f1 | median)" \
        "$(printf '%s\n' "$@" | cut -d' ' -f2 | median)" "$runs" "$lines"
}
echo "against $device:"
report "python3 pyserial send-and-wait" "${script[@]}"
report "link_bench" "${link[@]}"
