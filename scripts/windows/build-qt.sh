#!/usr/bin/env bash
# Builds the part of Qt the game needs for 64-bit Windows from Debian's own
# qt6-base source package, with Debian's MinGW-w64, and installs it into a
# cache folder outside the checkout. A finished build is reused while its
# folder exists; pass --force to build it again.
#
# The host tools (moc, rcc, uic) come from Debian's own Qt of the same
# version, so only the libraries and plugins are built here.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/qt-location.sh"
[ "${1:-}" = --force ] && rm -rf "$KORVANE_WINDOWS_QT" "$KORVANE_WINDOWS_QT.build"
if [ -f "$KORVANE_WINDOWS_QT/.complete" ]; then
  echo "Qt for Windows: reusing $KORVANE_WINDOWS_QT"
  exit 0
fi

# Debian's source packages come from the same archive and suite as its binary
# packages: a deb-src twin of each deb source is added once.
if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Version: 6\.4\.2'; then
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    case "$f" in */korvane-src-*) continue ;; esac
    grep -q '^Types:.*deb-src' "$f" && continue
    sed 's/^Types: deb$/Types: deb-src/' "$f" > "/etc/apt/sources.list.d/korvane-src-$(basename "$f")"
  done
  if [ -f /etc/apt/sources.list ] && ! grep -q '^deb-src' /etc/apt/sources.list; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > /etc/apt/sources.list.d/korvane-src.list
  fi
  apt-get update -qq
fi

# The source and the build folder are kept beside the result until it is
# finished, so a build that stopped goes on where it stopped.
work=$KORVANE_WINDOWS_QT.build
mkdir -p "$work"
start=$(date +%s)
cd "$work"
src=$(find . -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
if [ -z "$src" ]; then
  # The source is unpacked with Debian's patches applied.
  apt-get source -qq qt6-base >/dev/null 2>&1 || apt-get source qt6-base
  src=$(find . -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
fi
echo "Qt for Windows: building from Debian's qt6-base source (about half an hour on two cores)"
[ -n "$src" ] || { echo "build-qt: no qt6-base source unpacked" >&2; exit 1; }

# What the game, its tests and the screen gallery use: Core, Gui, Widgets,
# Test, the Windows and offscreen platform plugins and the image formats Gui
# builds in. Everything else is off, as are the parts whose third-party
# sources Debian removed (sqlite, wintab, iaccessible2). Direct2D stays on:
# the Windows plugin's DirectWrite font database is built with it.
cmake -S "$src" -B build -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$KORVANE_WINDOWS_QT" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_sql_sqlite=OFF \
  -DFEATURE_vulkan=OFF -DFEATURE_openssl=OFF \
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF \
  -DFEATURE_testlib=ON -DFEATURE_widgets=ON -DFEATURE_opengl=ON \
  >configure.log 2>&1 || { tail -n 60 configure.log >&2; exit 1; }
# Qt's own sources warn a lot under this compiler; the log keeps it all.
cmake --build build -j "$(nproc)" >build.log 2>&1 || { tail -n 60 build.log >&2; exit 1; }
cmake --install build >/dev/null
touch "$KORVANE_WINDOWS_QT/.complete"
cd /
rm -rf "$work"
echo "Qt for Windows built in $(( $(date +%s) - start )) s into $KORVANE_WINDOWS_QT"
