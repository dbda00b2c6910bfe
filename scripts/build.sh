#!/usr/bin/env bash
# Configures and builds into the given folder (default: build); further
# arguments go to the configure step. VELMORA_TARGETS names the targets to
# build (default: all).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
targets=()
for t in ${VELMORA_TARGETS:-}; do
  targets+=(--target "$t")
done
cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
