#!/usr/bin/env bash
# Builds the game, its tools, tests and benchmarks in optimised build kinds
# with our own warnings turned into errors: the optimiser's analysis finds
# warnings a debug build never prints. Any warning, also one of code outside
# our targets, fails the check.
# Usage: tools/check_warnings.sh [jobs] [build kind...]   (default: Release)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${1:-$(nproc)}
[ $# -gt 0 ] && shift
kinds=("$@")
[ ${#kinds[@]} -gt 0 ] || kinds=(Release)
for kind in "${kinds[@]}"; do
  dir="build/warnings-${kind,,}"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$kind" -DFV_BENCH=ON -DFV_WERROR=ON >/dev/null
  if ! cmake --build "$dir" -j"$jobs" >"$dir/build.log" 2>&1 || grep -q 'warning:' "$dir/build.log"; then
    grep -E -B2 -A6 'warning:|error:' "$dir/build.log" | head -n 80
    echo "The $kind build prints warnings (see $dir/build.log)"
    exit 1
  fi
  echo "The $kind build prints no warning"
done
