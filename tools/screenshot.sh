#!/usr/bin/env bash
# Pictures the program as a user sees it, on a virtual X display with a simulated load board:
#   tools/screenshot.sh FILE.png [NAME,NAME...]
# NAME are menu items (mnuViewTRx) and form names (Frm_YambleRfLinkTest) opened in order, as
# with krv --open. KRV_SCREEN (1920x1080 unless set) is the display's size, QT_SCALE_FACTOR its
# scale; KRV_FONT names a font family to make the desktop's default, as a user's own would be.
# Uses ./run's build (build-run/), building what is missing; the settings live in a fresh
# folder that is removed afterwards, so nothing of the user's is read or changed.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: tools/screenshot.sh FILE.png [NAME,NAME...]" >&2; exit 2; }
# FILE is taken from where the command was given.
out=$(realpath -m "$1")
cd "$(dirname "$0")/.."
open=${2:-}
tools/deps.sh
KRV_BUILD_DIR=build-run KRV_BUILD_TYPE=RelWithDebInfo KRV_TARGETS="krv krv-board-sim" \
    tools/build.sh >/dev/null

work=$(mktemp -d)
"build-run/sim/krv-board-sim" --personality 2 >"$work/sim.log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 50); do
    grep -q -- '^--port ' "$work/sim.log" && break
    sleep 0.1
done
port=$(grep -m1 -- '^--port ' "$work/sim.log" | cut -d' ' -f2)
[ -n "$port" ] || { cat "$work/sim.log"; echo "The board simulator did not start." >&2; exit 1; }

if [ -n "${KRV_FONT:-}" ]; then
    cat >"$work/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <match target="pattern"><edit name="family" mode="prepend" binding="strong"><string>$KRV_FONT</string></edit></match>
</fontconfig>
CONF
    export FONTCONFIG_FILE="$work/fonts.conf"
fi
args=(--home "$work/program" --port "$port" --screenshot "$out")
[ -n "$open" ] && args+=(--open "$open")
xvfb-run -a -s "-screen 0 ${KRV_SCREEN:-1920x1080}x24" build-run/src/krv "${args[@]}"
echo "$out"
