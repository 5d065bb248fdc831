#!/usr/bin/env bash
# Installs what building and testing Veltro needs on Debian, only what is missing.
set -euo pipefail
packages=(cmake ninja-build python3 g++ clang libclang-rt-dev libgtest-dev libgmock-dev libbenchmark-dev ccache locales qt6-base-dev fonts-dejavu-core libxml2-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
