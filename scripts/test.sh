#!/usr/bin/env bash
# Installs what is missing, builds every test and runs them: once in a normal
# build and once under AddressSanitizer and UndefinedBehaviorSanitizer; checks
# the installation (layout, validators, Debian package) of the normal build;
# then builds the fuzz targets and runs each for a short while.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure
bash scripts/check-install.sh build
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
