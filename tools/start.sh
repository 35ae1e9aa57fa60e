#!/usr/bin/env bash
# Starts a built KRV on a simulated load board 2.x: tools/start.sh BUILD [--two-boards|--loader]
# [KRV OPTIONS], with the programs of the build folder BUILD (./run builds build-run/ first).
# --two-boards: two simulated boards on one air and a KRV on each, for the RF link and CW
# link tools; each keeps its program folder in a lasting place, printed at start and reused the
# next time, so nothing saved there is lost.
# --loader: a board running its firmware loader, for Tools > Firmware Loader.
set -euo pipefail
build=$1
shift
boards=1
personalities=2
case "${1:-}" in
--two-boards)
    boards=2
    personalities=2,2
    shift
    ;;
--loader)
    personalities=loader
    shift
    ;;
esac
log=$(mktemp)
"$build/sim/krv-board-sim" --personality "$personalities" >"$log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true; rm -f "$log"' EXIT
for _ in $(seq 50); do
    [ "$(grep -c -- '^--port ' "$log")" -ge "$boards" ] && break
    sleep 0.1
done
mapfile -t ports < <(grep -- '^--port ' "$log" | cut -d' ' -f2)
[ "${#ports[@]}" -ge "$boards" ] || { cat "$log"; echo "The board simulator did not start." >&2; exit 1; }
# The --port entries among these start another KRV on a board by hand.
cat "$log"

launch=()
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting KRV on a virtual X display (xvfb-run), where nobody can"
    echo "see it. Ctrl+C stops it; tools/screenshot.sh FILE.png [NAMES] shows how it looks."
    launch=(xvfb-run -a)
fi
if [ "$boards" = 1 ]; then
    "${launch[@]}" "$build/src/krv" --port "${ports[0]}" "$@"
else
    # Each KRV sees its own board as COM 1 and keeps its settings in a folder of its own; the
    # data folders (configurations, images) sit beside both and are shared.
    base=${XDG_DATA_HOME:-$HOME/.local/share}/KRV/two-boards
    pids=()
    for board in 1 2; do
        home=$base/board-$board
        mkdir -p "$home"
        echo "Board $board: program folder $home"
        entry=${ports[$((board - 1))]}
        "${launch[@]}" "$build/src/krv" --home "$home" --port "1=${entry#*=}" \
            --label "Board $board" "$@" &
        pids+=($!)
    done
    wait "${pids[@]}"
fi
