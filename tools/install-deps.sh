#!/usr/bin/env bash
# Installs the Debian packages the workstation needs to build, run and test, when missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libglx-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg-dev
  firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils
  xvfb xauth poppler-utils fonts-dejavu-core fonts-liberation fontconfig
  locales
  clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
