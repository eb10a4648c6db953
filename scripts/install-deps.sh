#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and benchmark. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libicu-dev libpcre2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev
  qt6-base-dev libgl-dev libxcb1-dev
  xvfb xauth x11-utils xclip xdotool dbus matchbox-window-manager fonts-dejavu-core
  grep coreutils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
