#!/usr/bin/env bash
# Installs the Debian packages qx260 needs to build, test and run, when they are missing.
# Works as root; uses sudo otherwise.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev googletest
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
  qt6-qpa-plugins qt6-translations-l10n
  fonts-liberation2 fonts-wqy-microhei
  xvfb xauth poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
else
  SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
