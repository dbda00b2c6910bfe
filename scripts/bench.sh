#!/usr/bin/env bash
# Installs what is missing, builds optimised and runs every benchmark in bench/,
# then prints their figures as one table.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
dir=build-bench
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR=$(mktemp -d /tmp/velmora-xdg.XXXXXX)
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
out=$(mktemp)
cleanup() {
  if [ -n "${VELMORA_TEST_PG_DIR:-}" ]; then
    bash scripts/pg-test-server.sh stop || true
  fi
  rm -rf "$XDG_RUNTIME_DIR" "$out"
}
trap cleanup EXIT
# The register bench also times a PostgreSQL register when a private server starts.
if pg_env=$(bash scripts/pg-test-server.sh start); then
  eval "$pg_env"
else
  echo "no PostgreSQL test server: the register bench times SQLite only" >&2
fi
for b in "$dir"/bin/bench_*; do
  name=$(basename "$b")
  echo "running $name ..." >&2
  # Figures are the lines "label: value ..."; everything else is chatter.
  "$b" 2>/dev/null | grep -E '^[^:]+: .*[0-9]' | sed "s/^/$name|/" >> "$out" || true
done
machine="$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(free -g | awk '/Mem:/ {print $2}') GiB"
echo
echo "Benchmarks on: $machine"
printf '%-16s | %s\n' "benchmark" "figure"
printf '%-16s-+-%s\n' "----------------" "------------------------------------------------------------"
while IFS='|' read -r name line; do
  printf '%-16s | %s\n' "$name" "$line"
done < "$out"
