#!/usr/bin/env bash
# Sets up and builds Kadelo, then starts it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh"
exec "${KADELO_BUILD_DIR:-$here/build}/kadelo"
