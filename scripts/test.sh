#!/usr/bin/env bash
# Installs what is missing, builds every test and runs them: once in a normal
# build and once under AddressSanitizer and UndefinedBehaviorSanitizer; checks
# the installation (layout, validators, Debian package) of the normal build
# and the game under a Wayland compositor; builds the pictures with CMake's
# default generator too; then builds the fuzz targets and runs each for a
# short while.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure
bash scripts/check-install.sh build
# Under a real Wayland compositor: maximise and full-screen requests mid-stage.
bash scripts/wayland-check.sh build
# CMake's default generator (Unix Makefiles) as well: the pictures built into
# the program are made in another folder of the build, which only Ninja sees
# by itself. Building them is the part that differs, and takes a minute.
cmake -S . -B build-make -DKORVANE_TESTS=OFF >/dev/null
cmake --build build-make -j "$jobs" --target korvane_resources >/dev/null
# The screen gallery plays the same moments into the same pictures every time.
gallery=$(mktemp -d)
./build/out/korvane_gallery "$gallery" 2>/dev/null
for f in build/out/help/img/*.png; do
  cmp -s "$f" "$gallery/$(basename "$f")" || { echo "gallery: $(basename "$f") differs" >&2; exit 1; }
done
rm -rf "$gallery"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs" --target korvane_tests
# Qt keeps some allocations for the life of the process; leaks are not checked.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure

# About a minute in all; scripts/fuzz.sh with a longer time fuzzes for real.
bash scripts/fuzz.sh 20
