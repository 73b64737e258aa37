#!/usr/bin/env bash
# Builds and runs every test: the whole suite normally and under AddressSanitizer with
# UndefinedBehaviorSanitizer, the transfer tests under ThreadSanitizer, every fuzz target for a
# short, bounded time, and the Windows build under Wine. Set HALVEX_FUZZ_SECONDS to change the
# fuzzing time per target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

# Every build below, the Windows cross build and the package included, treats a compiler warning
# in Halvex's own code as an error.
export HALVEX_WERROR=ON

jobs=$(nproc)
fuzz_seconds=${HALVEX_FUZZ_SECONDS:-15}
export QT_QPA_PLATFORM=offscreen

build() {  # build DIR [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

echo "== normal build =="
build build/ci-normal -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build/ci-normal --output-on-failure -j"$jobs"

echo "== Windows: cross build, the core's tests and the tools under Wine =="
HALVEX_HOST_BUILD_DIR=build/ci-normal bash scripts/build-windows.sh

echo "== AddressSanitizer and UndefinedBehaviorSanitizer =="
build build/ci-asan -DCMAKE_BUILD_TYPE=Debug -DHALVEX_SANITIZE=address,undefined
ctest --test-dir build/ci-asan --output-on-failure -j"$jobs"

echo "== ThreadSanitizer (transfer tests) =="
build build/ci-tsan -DCMAKE_BUILD_TYPE=Debug -DHALVEX_SANITIZE=thread -DHALVEX_BUILD_GUI=OFF
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  ctest --test-dir build/ci-tsan --output-on-failure -j"$jobs" -L "port|transfer|upload"

echo "== fuzzing, ${fuzz_seconds}s per target =="
CC=clang CXX=clang++ build build/ci-fuzz -DCMAKE_BUILD_TYPE=Debug -DHALVEX_BUILD_GUI=OFF \
  -DHALVEX_BUILD_TESTS=OFF -DHALVEX_BUILD_FUZZ=ON -DHALVEX_SANITIZE=address,undefined
for target in build/ci-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  echo "-- $(basename "$target")"
  log=$(mktemp)
  if ! "$target" -max_total_time="$fuzz_seconds" -max_len=2100000 -rss_limit_mb=4096 -timeout=10 \
      >"$log" 2>&1; then
    tail -n 60 "$log"; echo "fuzz target $(basename "$target") failed"; exit 1
  fi
  grep -E "^(Done|#[0-9]+ +DONE)" "$log" | tail -n 1 || true
  rm -f "$log"
done

# The Debian package: built as scripts/package.sh builds it, then checked (and, in CI, installed,
# run and removed).
echo "== Debian package =="
bash scripts/package.sh
bash scripts/check-package.sh
echo "all checks done"
