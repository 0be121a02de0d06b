#!/usr/bin/env bash
# Sets up and builds Kadelo, then makes the Debian package build/kadelo_<version>_<arch>.deb.
# Install it with: sudo apt install ./build/kadelo_<version>_<arch>.deb
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KADELO_BUILD_DIR:-$here/build}"
"$here/scripts/setup.sh"
cd "$build"
rm -f kadelo_*.deb
cpack -G DEB --config CPackConfig.cmake
ls -1 "$build"/kadelo_*.deb
