#!/usr/bin/env bash
# Installs what is missing, builds and starts Velmora.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: start it under a virtual one with 'xvfb-run -a bash scripts/run.sh'." >&2
  exit 1
fi
exec build/bin/velmora
