#!/usr/bin/env bash
# Installs what Kadelo needs to build (Debian 12 / Ubuntu packages), then configures and builds it.
# Usage: scripts/setup.sh [extra cmake options]. Works as root and, for a normal user, through sudo.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KADELO_BUILD_DIR:-$here/build}"

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
  libgtest-dev googletest libbenchmark-dev
  libpugixml-dev zlib1g-dev libbz2-dev bzip2 kanjidic-xml unicode-data
  fonts-noto-cjk qt6-translations-l10n
  dpkg-dev file desktop-file-utils appstream
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
  fi
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKADELO_TOOLS=ON "$@"
cmake --build "$build" -j "$(nproc)"
