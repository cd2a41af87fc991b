#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need.
# Skips everything when all of them are already installed.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache
  libsdl2-dev libstb-dev nlohmann-json3-dev
  libgtest-dev libbenchmark-dev libgif-dev
  xvfb xauth xdotool x11-apps imagemagick
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
