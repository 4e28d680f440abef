#!/usr/bin/env bash
# Installs the Debian packages the suite needs to build, test and run.
# Idempotent: only packages that are not installed yet are fetched.
set -euo pipefail

packages=(
  cmake g++ make
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-svg-dev
  libpugixml-dev
  googletest libgtest-dev libgmock-dev
  libbenchmark-dev
  xvfb xauth
  fonts-dejavu-core
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
