#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests, the installation
# checks (validators, dpkg-shlibdeps and lintian for the package) and the
# game need: the Linguist tools build the catalogues; the toolkit's own
# catalogues give its buttons and menus in Japanese.
set -euo pipefail
pkgs=(cmake ninja-build g++ clang libclang-rt-14-dev qt6-base-dev qt6-multimedia-dev libicu-dev
      qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
      libgtest-dev fonts-ipafont-gothic fonts-ipafont-mincho
      desktop-file-utils appstream dpkg-dev file lintian)
# With --windows: what the Windows build adds (scripts/windows.sh): MinGW-w64,
# Wine to run the tests and the installer, NSIS, zip, GoogleTest's sources,
# and dpkg-dev to unpack Debian's Qt source.
if [ "${1:-}" = --windows ]; then
  pkgs=(g++-mingw-w64-x86-64-posix wine wine64 nsis zip unzip googletest dpkg-dev xauth xvfb)
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
