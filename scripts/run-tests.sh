#!/usr/bin/env bash
# Installs the packages, builds everything and runs the whole test suite.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
jobs="${JOBS:-$(nproc)}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" "$@"
cmake --build "$build" -j"$jobs"
ctest --test-dir "$build" --output-on-failure
