#!/usr/bin/env bash
# Builds the benchmarks into ./run's optimised build (build-run/) and runs them; each prints its
# own figures. tools/bench.sh [NAME ...] runs only those: file link update terminal window_cycle
# link_vs_script (the last needs Debian's python3-serial and is left out when it is missing).
# Figures mean something only on a quiet machine: nothing else building or running.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
export KRV_BUILD_DIR=build-run KRV_BUILD_TYPE=RelWithDebInfo
benches=(file link update terminal window_cycle link_vs_script)
[ $# -gt 0 ] && benches=("$@")
targets="krv-board-sim"
for bench in "${benches[@]}"; do
    case "$bench" in
    file | link | update | terminal | window_cycle) targets+=" ${bench}_bench" ;;
    link_vs_script) targets+=" link_bench" ;;
    *) echo "No benchmark named $bench; there are: file link update terminal window_cycle link_vs_script" >&2; exit 2 ;;
    esac
done
KRV_TARGETS=$targets tools/build.sh >/dev/null
export QT_QPA_PLATFORM=offscreen
for bench in "${benches[@]}"; do
    echo "== $bench"
    case "$bench" in
    link_vs_script)
        if /usr/bin/python3 -c 'import serial' 2>/dev/null; then
            bench/link_vs_script.sh
        else
            echo "left out: needs python3-serial (apt-get install python3-serial)"
        fi
        ;;
    *) "build-run/bench/${bench}_bench" ;;
    esac
done
