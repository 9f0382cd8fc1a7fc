#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and checks what a desktop
# needs: the layout, the desktop entry and AppStream validators, the program
# answering --version without a display, the installed game finding its data
# and sound module and keeping its settings in the user's configuration
# folder, the program copied alone naming where it looked for each; then the
# Debian package (the same build with Debian's layout for games): its layout,
# its dependencies, and lintian, which must report no error and no warning.
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
for f in bin/korvane lib/korvane/korvane-sound.so share/korvane/miss.wav \
         share/korvane/help/index.html \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/man/man6/korvane.6.gz share/doc/korvane/copyright share/doc/korvane/changelog.gz; do
  [ -e "$prefix/$f" ] || fail "missing $f"
done
# The window's pictures are built into the program.
[ -z "$(find "$prefix/share/korvane" -maxdepth 1 -name '*.png')" ] || fail "pictures installed as files"
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
# The AppStream release is the changelog's newest entry: same version, same day.
release=$(grep -o '<release [^>]*>' "$prefix/share/metainfo/$id.metainfo.xml" | head -1)
entry_version=$(sed -n '1s/^korvane (\([^)]*\)).*/\1/p' packaging/changelog)
entry_day=$(date -u -d "$(sed -n 's/^ -- .*>  //p' packaging/changelog | head -1)" +%F)
[ "$release" = "<release version=\"$entry_version\" date=\"$entry_day\"/>" ] ||
  fail "AppStream $release is not the changelog's $entry_version of $entry_day"
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
# Runs the program at $1 for a moment, its standard error into $2.
run_briefly() {
  QT_QPA_PLATFORM=offscreen "$1" 2>"$2" &
  local pid=$!
  for _ in $(seq 100); do [ -e "$XDG_RUNTIME_DIR/korvane.lock" ] && break; sleep 0.1; done
  sleep 1  # start-up goes on past the lock
  kill -TERM $pid
  wait $pid || true
}
run_briefly "$prefix/bin/korvane" "$tmp/installed.err"
[ -f "$XDG_CONFIG_HOME/korvane/qelmira.ini" ] || fail "settings not kept in XDG_CONFIG_HOME"
[ ! -e "$prefix/bin/qelmira.ini" ] || fail "settings written beside the installed program"
! grep -q '^korvane:' "$tmp/installed.err" || fail "installed game: $(cat "$tmp/installed.err")"
# The program copied alone plays on, silent, and names in one line each
# where it looked for its data and for its sound module.
mkdir "$tmp/alone" && cp "$prefix/bin/korvane" "$tmp/alone/"
run_briefly "$tmp/alone/korvane" "$tmp/alone.err"
for first in "$tmp/alone" "$tmp/alone/korvane-sound.so"; do
  [ "$(grep -c "^korvane: .*looked in $first, " "$tmp/alone.err")" = 1 ] ||
    fail "the program alone does not name where it looked: $(cat "$tmp/alone.err")"
done

# The Debian package: the same build with Debian's layout for games. The
# option changes only install rules and the manual page, so nothing else is
# rebuilt; the build's own setting is put back afterwards.
layout=$(sed -n 's/^KORVANE_GAMES_LAYOUT:BOOL=//p' "$build/CMakeCache.txt")
set_layout() {
  cmake -DKORVANE_GAMES_LAYOUT="$1" "$build" >/dev/null
  cmake --build "$build" --target korvane_docs >/dev/null
}
trap 'set_layout "${layout:-OFF}"; rm -rf "$tmp"' EXIT
set_layout ON
(cd "$build" && cpack -G DEB -B "$tmp/deb" >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$tmp"/deb/korvane_*_amd64.deb 2>/dev/null || ls "$tmp"/deb/korvane_*.deb)
deps=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6multimedia6 fonts-ipafont-gothic fonts-ipafont-mincho qt6-qpa-plugins; do
  grep -q "$d" <<<"$deps" || fail "package does not depend on $d: $deps"
done
contents=$(dpkg-deb -c "$deb")
for f in usr/games/korvane usr/lib/games/korvane/korvane-sound.so \
         usr/share/games/korvane/help/index.html usr/share/games/korvane/miss.wav \
         usr/share/applications/$id.desktop usr/share/doc/korvane/copyright \
         usr/share/doc/korvane/changelog.gz; do
  grep -q "\./$f\$" <<<"$contents" || fail "package lacks /$f"
done
! grep -qE '\./usr/(bin/|share/korvane/)' <<<"$contents" || fail "package uses the plain layout"
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/man/man6/korvane.6.gz | gzip -dc |
  grep -q '^\.I \.\./share/games/korvane/' || fail "manual page names the wrong data folder"
# Informational tags may stay; errors and warnings fail.
if ! report=$(lintian --fail-on error,warning --display-info "$deb" 2>/dev/null); then
  echo "$report" >&2
  fail "lintian reports errors or warnings"
fi
info=$(grep -oE '^I: [^ ]+ [^ ]+' <<<"$report" | cut -d' ' -f3 | sort -u | paste -sd' ' || true)
echo "check-install: ok ($(basename "$deb"); lintian informational: ${info:-none})"
