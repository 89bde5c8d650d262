#!/usr/bin/env bash
# Installs the packages and builds KOLMA, then shows the sample town network:
# - with a display ($DISPLAY or $WAYLAND_DISPLAY set): copies examples/ into a working directory
#   (WORK_DIR, default build/beispiel; files already there are kept), computes the network once
#   so that report and section are ready, and starts KOLMA1 there;
# - without one: computes the network with tarnholm in a temporary directory and prints the
#   report.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
jobs="${JOBS:-$(nproc)}"
project=Beispielnetz.ein

# Computes the project in the current directory: tarnholm reads eingabe.dat (kind 3, decimal
# points, as the project file holds it) and writes ausgabe.aus and graphein.dat.
compute() {
  cp "$project" eingabe.dat
  rm -f ausgabe.aus
  "$build/solver/tarnholm" < /dev/null
}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cmake --build "$build" --target KOLMA1 tarnholm -j"$jobs"
  work="${WORK_DIR:-$build/beispiel}"
  mkdir -p "$work"
  cp -n "$root"/examples/* "$work/"
  cd "$work"
  [ -f graphein.dat ] || compute > /dev/null
  echo "KOLMA1 startet in $work"
  echo "Bearbeiten > Projekt öffnen > $project, dann Bearbeiten > Berechnung und Graphik > Längsschnitt."
  exec "$build/app/KOLMA1"
fi

cmake --build "$build" --target tarnholm -j"$jobs"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$root/examples/$project" "$work/"
cd "$work"
compute
cat ausgabe.aus
