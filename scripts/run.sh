#!/usr/bin/env bash
# Installs what is needed, builds the configurator and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build/release
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target quillomark
exec "$build/quillomark" "$@"
