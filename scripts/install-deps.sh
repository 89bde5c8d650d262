#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing KOLMA needs.
set -euo pipefail
packages=(
  build-essential cmake clang libclang-rt-dev
  googletest libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev libgraphviz-dev pkg-config
  fonts-dejavu-core xvfb xauth poppler-utils
)
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
