#!/usr/bin/env bash
# Installs what is needed, builds the test build (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test through ctest, shuffled.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-layers.sh
build=build/test
# Let ccache reuse objects across clones of the repository (CI builds in a fresh clone).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-O1 -g" \
      -DQM_SANITIZE=ON -DQM_TESTS=ON -DQM_BENCH=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
cd "$build"
# Every test executable runs its tests in an order shuffled by one seed; QM_TEST_SEED=<seed>
# replays the order of an earlier run.
seed=${QM_TEST_SEED:-$(( (RANDOM * 32768 + RANDOM) % 99999 + 1 ))}
export GTEST_SHUFFLE=1 GTEST_RANDOM_SEED=$seed
echo "Test order seed: $seed (replay: QM_TEST_SEED=$seed bash scripts/test.sh)"
status=0
ctest --output-on-failure -j "$(nproc)" "$@" || status=$?
if [ "$status" -ne 0 ]; then
  # ctest names the failing executables (or shards); name the failing tests too.
  grep -h '^\[  FAILED  \] [A-Za-z0-9_/]*\.[A-Za-z0-9_/]*' Testing/Temporary/LastTest*.log 2>/dev/null | sort -u || true
  echo "Test order seed was $seed (replay: QM_TEST_SEED=$seed bash scripts/test.sh)"
fi
exit "$status"
