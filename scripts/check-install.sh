#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and checks what a desktop
# needs: the layout, the desktop entry and AppStream validators, the program
# answering --version without a display, the installed game finding its data
# and keeping its settings in the user's configuration folder, and the
# Debian package with its dependencies.
# Usage: scripts/check-install.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
id=org.korvane.Korvane

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "check-install: $*" >&2; exit 1; }
for f in bin/korvane \
         share/korvane/title.png share/korvane/icon.png share/korvane/miss.wav \
         share/korvane/help/index.html \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/man/man6/korvane.6.gz; do
  [ -e "$prefix/$f" ] || fail "missing $f"
done
# Width and height from a PNG header.
pngsize() { od -An -j16 -N8 -tx1 "$1" | tr -d ' \n'; }
for s in 16 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${s}x${s}/apps/$id.png
  [ -e "$icon" ] || fail "missing icon $s"
  [ "$(pngsize "$icon")" = "$(printf '%08x%08x' "$s" "$s")" ] || fail "icon $s has the wrong size"
done
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
if command -v man >/dev/null; then
  man -l "$prefix/share/man/man6/korvane.6.gz" >/dev/null || fail "manual page does not format"
fi

# Informational options without any display.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/korvane" --version |
  grep -q '^korvane [0-9]' || fail "--version"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/korvane" --help |
  grep -q 'korvane \[--version' || fail "--help"

# The installed game: started, ended by the desktop (a termination signal
# closes its window as the close box does), its settings in the config folder.
export XDG_CONFIG_HOME=$tmp/config XDG_RUNTIME_DIR=$tmp/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=offscreen "$prefix/bin/korvane" &
pid=$!
for _ in $(seq 100); do [ -e "$XDG_RUNTIME_DIR/korvane.lock" ] && break; sleep 0.1; done
sleep 1  # start-up goes on past the lock
kill -TERM $pid
wait $pid || true
[ -f "$XDG_CONFIG_HOME/korvane/qelmira.ini" ] || fail "settings not kept in XDG_CONFIG_HOME"
[ ! -e "$prefix/bin/qelmira.ini" ] || fail "settings written beside the installed program"

# The Debian package: same files under /usr, libraries from shlibdeps, fonts.
(cd "$build" && cpack -G DEB -B "$tmp/deb" >/dev/null)
deb=$(ls "$tmp"/deb/korvane_*_amd64.deb 2>/dev/null || ls "$tmp"/deb/korvane_*.deb)
deps=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6multimedia6 fonts-ipafont-gothic fonts-ipafont-mincho qt6-qpa-plugins; do
  grep -q "$d" <<<"$deps" || fail "package does not depend on $d: $deps"
done
contents=$(dpkg-deb -c "$deb")
for f in usr/bin/korvane usr/share/korvane/help/index.html usr/share/applications/$id.desktop; do
  grep -q "\./$f\$" <<<"$contents" || fail "package lacks /$f"
done
echo "check-install: ok ($(basename "$deb"))"
