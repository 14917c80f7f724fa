#!/usr/bin/env bash
# Installs the Debian packages qx260 needs to build, test and run (cmark-gfm and python3
# make and check the user manual), when they are missing,
# and makes a decimal-comma locale available for the tests that check that data never
# depends on the user's locale. Works as root; uses sudo otherwise.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache clang-format
  libgtest-dev googletest
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
  qt6-qpa-plugins qt6-translations-l10n
  fonts-liberation2 fonts-wqy-microhei
  xvfb xauth poppler-utils
  cmark-gfm python3
  locales
  # install tree and Debian package: man pages from --help, icons from the SVG, the
  # validators of the desktop entry and the metainfo, dpkg-shlibdeps and file for cpack
  help2man librsvg2-bin desktop-file-utils appstream dpkg-dev file
  # the package's checks: lintian, and the desktop's MIME database as xdg-mime reads it
  lintian xdg-utils shared-mime-info libfile-mimeinfo-perl
  # the core built for Windows and its tests run under Wine
  g++-mingw-w64-x86-64-posix wine wine64
  # coverage-guided fuzzing of the core (scripts/fuzz.sh): clang and its libFuzzer runtime
  clang libclang-rt-14-dev
)
# The decimal-comma locale the tests run under.
test_locale="de_DE.UTF-8"

if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
else
  SUDO=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${SUDO[@]}" apt-get update -qq
  "${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qix "de_DE.utf8"; then
  echo "Making the locale ${test_locale} available"
  if ! grep -q "^${test_locale} UTF-8" /etc/locale.gen 2>/dev/null; then
    echo "${test_locale} UTF-8" | "${SUDO[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${SUDO[@]}" locale-gen >/dev/null
fi
