#!/usr/bin/env bash
# Installs what is needed, builds the test build (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-layers.sh
build=build/test
# Let ccache reuse objects across clones of the repository (CI builds in a fresh clone).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-O1 -g" \
      -DQM_SANITIZE=ON -DQM_TESTS=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
