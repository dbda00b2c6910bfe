#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, if any is missing.
set -euo pipefail
# Qt Charts' CMake package needs Qt OpenGL's (libqt6opengl6-dev); pdftotext
# (poppler-utils) reads the check's PDF report back in the tests; the register
# runs on SQLite and, in the suites, on a private PostgreSQL server.
packages=(build-essential cmake ninja-build ccache qt6-base-dev qt6-serialport-dev qt6-charts-dev
          libqt6opengl6-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
          zlib1g-dev python3 poppler-utils xvfb xauth dpkg-dev desktop-file-utils appstream
          libqt6sql6-sqlite libqt6sql6-psql postgresql)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
