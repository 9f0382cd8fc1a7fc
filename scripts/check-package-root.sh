#!/usr/bin/env bash
# Installs the Debian package into a fresh minimal Debian 12 root, runs
# `korvane --version` there as an ordinary user would (by name, through the
# user's PATH), removes and purges it with the dependencies it pulled in,
# and checks that nothing of ours is left: no file, no dpkg record.
# Needs root, debootstrap and Debian's archive; takes several minutes.
# Usage: scripts/check-package-root.sh korvane_<version>_<arch>.deb [mirror]
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 korvane_<version>_<arch>.deb [mirror]" >&2; exit 2; }
deb=$(realpath "$1")
mirror=${2:-http://deb.debian.org/debian}
[ "$(id -u)" -eq 0 ] || { echo "check-package-root: must run as root" >&2; exit 2; }
[ -f "$deb" ] || { echo "check-package-root: no file $deb" >&2; exit 2; }

root=$(mktemp -d /var/tmp/korvane-root.XXXXXX)
chmod 755 "$root"  # the package manager's download user and `nobody` enter it
cleanup() {
  for m in "$root/proc" "$root/sys" "$root/dev/pts"; do
    mountpoint -q "$m" 2>/dev/null && umount -l "$m"
  done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
fail() { echo "check-package-root: $*" >&2; exit 1; }
step() { echo "check-package-root: $*"; }
# Runs a command in the root; its output goes to a log shown if it fails.
in_root() {
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@" \
    >"$root/tmp/last.log" 2>&1 || { cat "$root/tmp/last.log" >&2; fail "failed: $*"; }
}

step "debootstrap --variant=minbase bookworm ($mirror)"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 ||
  { tail -20 "$root.log" >&2; fail "debootstrap failed (log: $root.log)"; }
rm -f "$root.log"
mount -t proc proc "$root/proc"
mount --bind /dev/pts "$root/dev/pts"
# No service of a dependency is started inside the root.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"

# Everything in the root before the package, to compare with after the purge.
# The package manager's own state, caches and logs change on every run.
listing() {
  (cd "$root" && find . -xdev \( -path ./proc -o -path ./sys -o -path ./dev -o -path ./tmp \
     -o -path ./var/lib/apt -o -path ./var/cache -o -path ./var/log -o -path ./var/lib/dpkg \
     -o -path ./run -o -path ./var/tmp \) -prune -o -print | sort)
}
listing >"$root/tmp/before"

cp "$deb" "$root/tmp/"
name=$(basename "$deb")
step "apt-get install ./$name"
in_root apt-get update -qq
in_root apt-get install -y --no-install-recommends "/tmp/$name"
step "$(grep -cE '^Setting up ' "$root/tmp/last.log") packages set up"

in_root dpkg -s korvane
grep -q '^Status: install ok installed' "$root/tmp/last.log" || fail "korvane is not installed"
[ -x "$root/usr/games/korvane" ] || fail "no /usr/games/korvane"
[ -f "$root/usr/share/games/korvane/help/index.html" ] || fail "no help in /usr/share/games/korvane"
# An ordinary user's PATH (Debian's /etc/profile) holds /usr/games.
version=$(chroot --userspec=nobody:nogroup "$root" env -i HOME=/tmp \
            PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games korvane --version) ||
  fail "korvane --version failed"
grep -q '^korvane [0-9]' <<<"$version" || fail "unexpected --version output: $version"
step "korvane --version: $version"

step "apt-get purge korvane, autoremove --purge"
in_root apt-get purge -y korvane
in_root apt-get autoremove --purge -y
step "$(grep -cE '^(Removing|Purging) ' "$root/tmp/last.log") removals and purges by autoremove"
rm -f "$root/tmp/$name"

chroot "$root" dpkg-query -W korvane >/dev/null 2>&1 && fail "dpkg still knows korvane"
left=$(cd "$root" && find . -xdev -path ./proc -prune -o -path ./tmp -prune -o -iname '*korvane*' -print)
[ -z "$left" ] || fail "left behind: $left"
listing >"$root/tmp/after"
# What the dependencies' own scripts left behind is theirs, not ours: shown, not failed.
if ! diff "$root/tmp/before" "$root/tmp/after" >"$root/tmp/diff"; then
  step "left by the dependencies' own scripts:"
  grep '^[<>]' "$root/tmp/diff" | sed 's/^/  /'
fi
step "ok: installed, ran, purged; nothing left"
