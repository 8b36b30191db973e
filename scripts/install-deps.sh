#!/usr/bin/env bash
# Installs, with apt-get, only the Debian packages that are missing. Safe to run again.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  libsdl2-dev libglew-dev libgl-dev libassimp-dev libimgui-dev
  libopenal-dev libsndfile1-dev libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev libbullet-dev
  libxtst-dev xvfb xauth libgl1-mesa-dri mesa-utils imagemagick sox assimp-utils python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
