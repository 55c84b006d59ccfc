#!/usr/bin/env bash
# Runs every test program of a build folder in parallel, each in a shuffled
# order. The seed of each order is printed, and a failing program's output is
# shown, so `--gtest_shuffle --gtest_random_seed=N` repeats the order.
#   tools/run_tests.sh BUILD_DIR [JOBS]
set -uo pipefail
build=$(cd "${1:?build folder}" && pwd)
jobs=${2:-$(nproc)}
tests="$build/tests"
logs="$build/test-logs"
rm -rf "$logs"
mkdir -p "$logs" "$tests/tmp"

run_one() {
  local program=$1 logs=$2 tests=$3
  local name seed
  name=$(basename "$program")
  seed=$((RANDOM % 99999 + 1))
  if (cd "$tests" && FV_TEST_TMP="$tests/tmp" "$program" --gtest_shuffle \
    --gtest_random_seed="$seed" --gtest_brief=1) >"$logs/$name.log" 2>&1; then
    echo "passed $name (order seed $seed)"
  else
    echo "FAILED $name (order seed $seed)"
    touch "$logs/$name.failed"
  fi
}
export -f run_one

find "$tests" -maxdepth 1 -type f -name 'test_*' -perm -u+x | sort |
  xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {} "$logs" "$tests"

status=0
for failed in "$logs"/*.failed; do
  [ -e "$failed" ] || continue
  status=1
  log=${failed%.failed}.log
  echo "=== $(basename "${failed%.failed}") ==="
  tail -n 80 "$log"
done
exit "$status"
