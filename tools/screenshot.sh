#!/usr/bin/env bash
# Takes a screenshot of the game in the middle of a question, on a virtual
# display: `make shot` writes docs/screenshot.png.
#   tools/screenshot.sh <out.png> [scale]    (scale 2: a screen of twice the density)
# Needs xvfb, xauth and xdotool, and the build (game and grab_screen).
set -euo pipefail

out=$(realpath -m "${1:-docs/screenshot.png}")
scale=${2:-1}
bin=$(realpath "${BUILD:-build}/bin")

if [[ "${SHOT_INNER:-}" != 1 ]]; then
  SHOT_INNER=1 xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$out" "$scale"
  exit
fi

work=$(mktemp -d)
trap 'kill $game 2>/dev/null || true; rm -rf "$work"' EXIT
(cd "$work" && exec env QT_SCALE_FACTOR="$scale" "$bin/nanairobako") >/dev/null 2>&1 &
game=$!
for _ in $(seq 50); do
  window=$(xdotool search --name 'ナナイロバコ' 2>/dev/null | head -1 || true)
  [[ -n "$window" ]] && break
  sleep 0.2
done
[[ -n "$window" ]] || { echo "screenshot: the game did not come up" >&2; exit 1; }
xdotool windowfocus --sync "$window"
sleep 1
xdotool type --delay 30 'Hanako'
xdotool key Tab space
sleep 0.3
xdotool type --delay 30 'apple'
xdotool key Tab space
sleep 0.3
xdotool key 1
sleep 0.8   # the picked answer is lit for half a second of each second

eval "$(xdotool getwindowgeometry --shell "$window")"
"$bin/grab_screen" "$out" "$X" "$Y" "$WIDTH" "$HEIGHT"
echo "screenshot: $out (${WIDTH}x${HEIGHT})"
