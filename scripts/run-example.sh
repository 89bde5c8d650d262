#!/usr/bin/env bash
# Installs the packages, builds the solver and runs it on a copy of the bundled example network
# in a temporary directory, then prints the report it wrote.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
jobs="${JOBS:-$(nproc)}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build"
cmake --build "$build" --target tarnholm -j"$jobs"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$root/examples/eingabe.dat" "$work/"
(cd "$work" && "$build/solver/tarnholm")
cat "$work/ausgabe.aus"
