#!/usr/bin/env bash
# The game under a real Wayland compositor (weston, headless, no screen
# needed): it starts, runs a stage and is asked meanwhile to maximise and to
# go full-screen; the window must keep its size and the program end normally.
#
#   bash scripts/wayland-check.sh [BUILD_DIR]   (default: build)
# Needs weston and qt6-wayland (scripts/install-deps.sh) and the target
# korvane_wayland_check of the build. Takes about ten seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
check=$build/out/korvane_wayland_check
[ -x "$check" ] || { echo "wayland-check: $check is missing; build it first" >&2; exit 1; }

runtime=$(mktemp -d)
config=$(mktemp -d)
chmod 700 "$runtime"
socket=wayland-korvane-check
weston_pid=
cleanup() {
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
  rm -rf "$runtime" "$config"
}
trap cleanup EXIT

XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=$socket \
  --width=1280 --height=1024 --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$runtime/$socket" ] && break
  kill -0 "$weston_pid" 2>/dev/null || { cat "$runtime/weston.log" >&2; exit 1; }
  sleep 0.1
done
[ -S "$runtime/$socket" ] || { echo "wayland-check: weston did not start" >&2; exit 1; }

status=0
out=$(env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland \
      XDG_CONFIG_HOME="$config" timeout 120 "$check" 2>"$runtime/game.log") || status=$?
echo "$out"
if [ "$status" -ne 0 ] || grep -q '^FAILED' <<<"$out" ||
   ! grep -q '^ok: the stage reached its verdict' <<<"$out"; then
  echo "wayland-check: failed (status $status)" >&2
  grep -v -i 'audio' "$runtime/game.log" >&2 || true
  exit 1
fi
echo "wayland-check: passed"
