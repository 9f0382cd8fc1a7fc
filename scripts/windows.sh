#!/usr/bin/env bash
# The Windows game, made on this Linux machine with Debian's packages only:
# installs what is missing, builds Qt for Windows once (cached outside the
# checkout), builds the game and its tests with MinGW-w64, runs the tests
# under Wine, makes the portable zip and the installer into dist/, and
# installs and uninstalls the installer silently under Wine to check both.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
bash scripts/install-deps.sh
bash scripts/install-deps.sh --windows
bash scripts/windows/build-qt.sh
. scripts/windows/qt-location.sh
jobs=$(nproc)
version=$(sed -n 's/^project(korvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# The generators (pictures, sounds, help pages and their screens, the
# catalogues) run on this machine: a Linux build makes them.
host=${KORVANE_HOST_BUILD:-$top/build}
if [ ! -f "$host/CMakeCache.txt" ]; then
  cmake -S . -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
QT_QPA_PLATFORM=offscreen cmake --build "$host" -j "$jobs" --target korvane

win=$top/build-windows
cmake -S . -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$top/scripts/windows/mingw-w64-x86_64.cmake" \
  -DKORVANE_WINDOWS_QT="$KORVANE_WINDOWS_QT" \
  -DCMAKE_PREFIX_PATH="$KORVANE_WINDOWS_QT" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DKORVANE_HOST_BUILD="$host" >/dev/null
cmake --build "$win" -j "$jobs"

# Wine in a prefix of its own, made once; no desktop integration, no
# downloads of Wine's Mono or Gecko.
export WINEPREFIX=$win/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
wineserver -w

bash scripts/windows/run-tests.sh "$win/out"
bash scripts/windows/package.sh "$win" "$version" "$top/dist"
bash scripts/windows/check-installer.sh "$top/dist/korvane-$version-setup.exe" "$version"
echo "Windows: dist/korvane-$version-windows-x64.zip and dist/korvane-$version-setup.exe"
