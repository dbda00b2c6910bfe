#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in a folder of their own and runs one
# target (or all of them, one after another) for a number of seconds, then
# merges the inputs that reach new code into fuzz/corpus/<target>.
#   scripts/fuzz.sh <target|all> [seconds]      e.g. scripts/fuzz.sh config 600
# Crashing, leaking and slow inputs land in <build>/artifacts/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh <target|all> [seconds]}
seconds=${2:-60}
dir=${VELMORA_FUZZ_BUILD:-build-fuzz}

if [ "$target" = all ]; then
  targets=$(ls fuzz/fuzz_*.cpp | sed 's|fuzz/fuzz_||; s|\.cpp$||')
else
  targets=$target
  [ -f "fuzz/fuzz_$target.cpp" ] || { echo "no fuzz target fuzz/fuzz_$target.cpp" >&2; exit 2; }
fi

command -v clang++ >/dev/null || { echo "clang++ is needed (apt-get install clang libclang-rt-dev)" >&2; exit 2; }
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVELMORA_FUZZ=ON >/dev/null
cmake --build "$dir" --target $(for t in $targets; do printf 'fuzz_%s ' "$t"; done) -j"$(nproc)"

export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
status=0
for t in $targets; do
  corpus=fuzz/corpus/$t
  work=$dir/work/$t
  artifacts=$dir/artifacts/$t
  mkdir -p "$corpus" "$work" "$artifacts"
  echo "== fuzz_$t for ${seconds}s" >&2
  # New inputs go to the work folder; the checked-in corpus only seeds.
  if ! "$dir/bin/fuzz_$t" -max_total_time="$seconds" -timeout=2 -malloc_limit_mb=64 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" \
      "$work" "$corpus"; then
    echo "fuzz_$t found a fault: see $artifacts/" >&2
    status=1
  fi
  before=$(ls "$corpus" | wc -l)
  "$dir/bin/fuzz_$t" -merge=1 -timeout=2 -malloc_limit_mb=64 "$corpus" "$work" 2>/dev/null
  echo "== fuzz_$t corpus: $before -> $(ls "$corpus" | wc -l) files" >&2
done
exit $status
