#!/usr/bin/env bash
# A long random-play soak under AddressSanitizer and UndefinedBehaviorSanitizer.
#   bash scripts/soak.sh HOURS [SEED]     (HOURS of virtual play)
# Ends with the line "soak: games G, virtual hours H, steps S".
set -euo pipefail
cd "$(dirname "$0")/.."
hours=${1:?usage: scripts/soak.sh HOURS [SEED]}
seed=${2:-1}
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$(nproc)" --target korvane_tests
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  KORVANE_SOAK_HOURS="$hours" KORVANE_SOAK_SEED="$seed" \
  ./build-asan/out/korvane_tests --gtest_filter='Soak.*' 2>&1 |
  grep -v -e 'does not support' -e 'XDG_RUNTIME_DIR' | bash scripts/soak-summary.sh
