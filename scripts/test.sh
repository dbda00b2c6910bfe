#!/usr/bin/env bash
# Installs what is missing, builds and runs every test suite twice: once in a
# plain build and once under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer (any report fails the run).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR=$(mktemp -d /tmp/velmora-xdg.XXXXXX)
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
cleanup() {
  if [ -n "${VELMORA_TEST_PG_DIR:-}" ]; then
    bash "$root/scripts/pg-test-server.sh" stop || true
  fi
  rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT
phase() { echo "== $1 at ${SECONDS} s"; }

# The register suites run against a private PostgreSQL server of this run
# (VELMORA_TEST_PG_URL, PGPASSWORD, VELMORA_TEST_PG_SCRIPT), stopped on exit.
phase "PostgreSQL test server"
pg_env=$(bash scripts/pg-test-server.sh start)
eval "$pg_env"

# Suites that time the serial line run one at a time (RESOURCE_LOCK in
# tests/CMakeLists.txt); the rest share the two cores.
phase "plain build"
bash scripts/build.sh build
phase "plain suites"
ctest --test-dir build --output-on-failure -j2

# The sanitizer build: Debug compiles fastest, and the suites mostly wait on
# the line anyway. Leaks inside system libraries are suppressed by name.
phase "sanitizer build"
bash scripts/build.sh build-sanitize -DVELMORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0:print_stacktrace=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
phase "sanitizer suites"
ctest --test-dir build-sanitize --output-on-failure -j2
phase "done"
