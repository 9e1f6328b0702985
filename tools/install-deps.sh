#!/usr/bin/env bash
# Installs, through apt-get, whatever the build, the tests and the game need and
# this machine lacks. Silent when everything is already there.
set -euo pipefail

packages=(
  g++ make cmake pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libgtest-dev libbenchmark-dev
  fonts-noto-cjk
  desktop-file-utils appstream dpkg-dev file lintian
  clang-format
)
# Extra sets for the optional targets.
case "${1:-}" in
  fuzz) packages+=(clang libclang-rt-dev) ;;
  shot) packages+=(xvfb xauth xdotool) ;;
  mutate) packages+=(python3 ninja-build lld) ;;
  bench) packages+=(xvfb xauth dbus at-spi2-core) ;;
esac

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: missing packages (${missing[*]}) and no root rights to install them" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
