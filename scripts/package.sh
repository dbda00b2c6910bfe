#!/usr/bin/env bash
# Builds a Release tree (build-release/) and the Debian package from it:
# build-release/velmora_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-release}
# Installing must not build every test and benchmark first: the package
# holds only what is built below.
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$dir" -j"$(nproc)" --target velmora trackersim velmora_translations
(cd "$dir" && cpack -G DEB)
ls "$dir"/velmora_*.deb
