#!/usr/bin/env bash
# Plays a few steps of the game by keyboard under Orca, on a virtual display
# with its own session bus, and prints what Orca said. Needs orca, xvfb,
# xdotool and dbus (apt-get install orca xvfb xauth xdotool dbus).
#   tools/orca-check.sh [build/bin/nanairobako]
set -euo pipefail

game=$(realpath "${1:-build/bin/nanairobako}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [[ "${ORCA_CHECK_INNER:-}" != 1 ]]; then
  ORCA_CHECK_INNER=1 xvfb-run -a -s '-screen 0 1024x768x24' dbus-run-session -- "$0" "$game"
  exit
fi

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 HOME="$work" XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
/usr/libexec/at-spi-bus-launcher --launch-immediately & sleep 1
/usr/libexec/at-spi2-registryd & sleep 1
orca --replace --debug-file="$work/orca.log" >/dev/null 2>&1 & sleep 4
(cd "$work" && "$game" >/dev/null 2>&1) & sleep 4

xdotool search --name 'ナナイロバコ' windowactivate --sync >/dev/null 2>&1 || true
step() { xdotool "$@"; sleep 1.5; }
step type --delay 50 Taro
step key Tab space          # 確認: the name
step type --delay 50 apple
step key Tab space          # 確認: the word, the first question
step key 1                  # 一般的なことば
sleep 6                     # the question holds the remarks back
for answer in 3 1 1 2; do step key space; step key "$answer"; done
step key space              # the word is stored
sleep "${ORCA_REMARK_WAIT:-30}"  # remarks of its own, every six seconds

grep -o "SPEECH OUTPUT: '[^']*'" "$work/orca.log" | grep -v "' $" || true
[[ -z "${ORCA_LOG:-}" ]] || cp "$work/orca.log" "$ORCA_LOG"
