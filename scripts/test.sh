#!/usr/bin/env bash
# Sets up and builds Kadelo, then runs every test (headless).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh"
cd "${KADELO_BUILD_DIR:-$here/build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
