#!/bin/sh
# run.sh BUILD_DIR [FILES SIZE]: builds the install benchmark in BUILD_DIR and runs it once.
set -eu
build=${1:-build}
shift || true
cmake --build "$build" --target install_bench mspack_baseline measure -j "$(nproc)"
work="$build/bench-work"
trap 'rm -rf "$work"' EXIT
"$build/bench/install_bench" "$work" "$@"
