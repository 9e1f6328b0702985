#!/usr/bin/env bash
# Plays the game by keyboard under the Orca screen reader, with a window
# manager (Orca follows the focus only where one gives it), on a virtual
# display with its own session bus: the name, a word through all its
# questions, then a remark of its own. Prints what Orca said and fails unless
# it said each question, each answer that took the focus with its place among
# the answers, the picked answer as selected, and a remark.
# Needs orca, openbox, xvfb, xauth, xdotool and dbus
# (apt-get install orca openbox xvfb xauth xdotool dbus).
#   tools/orca-check.sh [build/bin/nanairobako]
set -euo pipefail

game=$(realpath "${1:-build/bin/nanairobako}")

if [[ "${ORCA_CHECK_INNER:-}" != 1 ]]; then
  ORCA_CHECK_INNER=1 exec xvfb-run -a -s '-screen 0 1024x768x24' dbus-run-session -- "$0" "$game"
fi

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; pkill -f "speech-dispatcher.*$work" || true; rm -rf "$work"' EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 HOME="$work" XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Orca says where in a group the focused item stands ("2 of 4"). Its speech
# goes to the log only: a speech server without a sound device stops Orca.
mkdir -p "$work/.local/share/orca"
cat > "$work/.local/share/orca/user-settings.conf" <<'JSON'
{"general": {"enablePositionSpeaking": true, "enableSpeech": false},
 "profiles": {"default": {"profile": ["Default", "default"], "enablePositionSpeaking": true, "enableSpeech": false}},
 "pronunciations": {}, "keybindings": {}}
JSON
openbox >/dev/null 2>&1 & sleep 1
/usr/libexec/at-spi-bus-launcher --launch-immediately & sleep 1
/usr/libexec/at-spi2-registryd & sleep 1
orca --replace --debug-file="$work/orca.log" >/dev/null 2>&1 & sleep 4
(cd "$work" && "$game" >/dev/null 2>&1) & sleep 4

xdotool search --name 'ナナイロバコ' windowactivate --sync >/dev/null 2>&1 || true
step() { xdotool "$@"; sleep 1.5; }
step type --delay 50 Taro
step key Tab space          # 確認: the name
step type --delay 50 apple
step key Tab space          # 確認: the word; the first question's answers take the focus
for answer in Down Down Down Up Down; do
  step key "$answer"        # the next answer, picked
  step key Return           # 確認: the next question
done
sleep "${ORCA_REMARK_WAIT:-30}"  # remarks of its own, every six seconds
[[ -z "${ORCA_SHOT:-}" ]] || "$(dirname "$game")/grab_screen" "$ORCA_SHOT" 0 0 1024 768

said=$(grep -o "SPEECH OUTPUT: '[^']*'" "$work/orca.log" | grep -v "' $" || true)
echo "$said"
[[ -z "${ORCA_LOG:-}" ]] || cp "$work/orca.log" "$ORCA_LOG"

missing=()
expect() { grep -qF -- "$1" <<<"$said" || missing+=("$1"); }
for sentence in 'appleってなんだ？' 'Taroはappleってすきなのか？' 'appleってためになるのか？' \
                'それ・・・ゲヒンなことばじゃないよな。'; do
  expect "notification $sentence"
done
# The answer each key moved to, as it took the focus, picked and counted
# among the answers on offer (two for the last two questions).
for answer in '固有のことば' 'だんたい' 'ふつう' 'ダメになる' 'ふつうのことば'; do
  expect "SPEECH OUTPUT: '$answer.'"
done
expect "SPEECH OUTPUT: 'selected radio button'"
expect "SPEECH OUTPUT: '2 of 4.'"
expect "SPEECH OUTPUT: '2 of 3.'"
expect "SPEECH OUTPUT: '2 of 2.'"
# A remark of its own once the word is stored.
sed -n '/なんだ、つまらんな。/,$p' <<<"$said" | grep -q "notification" || missing+=("a remark")
if (( ${#missing[@]} )); then
  printf 'orca-check: Orca did not say: %s\n' "${missing[@]}" >&2
  exit 1
fi
echo "orca-check: every question, each focused answer with its place, the selection and a remark were spoken"
