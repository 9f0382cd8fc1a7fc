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
cleanup() {
  for m in "$root/proc" "$root/sys" "$root/dev/pts"; do
    mountpoint -q "$m" 2>/dev/null && umount -l "$m"
  done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
fail() { echo "check-package-root: $*" >&2; exit 1; }
step() { echo "check-package-root: $*"; }
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }

step "debootstrap --variant=minbase bookworm ($mirror)"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 ||
  { tail -20 "$root.log" >&2; fail "debootstrap failed (log: $root.log)"; }
rm -f "$root.log"
mount -t proc proc "$root/proc"

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
in_root apt-get install -y -qq --no-install-recommends "/tmp/$name" >/dev/null

in_root dpkg -s korvane | grep -q '^Status: install ok installed' || fail "korvane is not installed"
[ -x "$root/usr/games/korvane" ] || fail "no /usr/games/korvane"
[ -f "$root/usr/share/games/korvane/help/index.html" ] || fail "no help in /usr/share/games/korvane"
# An ordinary user's PATH (Debian's /etc/profile) holds /usr/games.
version=$(chroot --userspec=nobody:nogroup "$root" env -i HOME=/tmp \
            PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games korvane --version) ||
  fail "korvane --version failed"
grep -q '^korvane [0-9]' <<<"$version" || fail "unexpected --version output: $version"
step "korvane --version: $version"

step "apt-get purge korvane, autoremove --purge"
in_root apt-get purge -y -qq korvane >/dev/null
in_root apt-get autoremove --purge -y -qq >/dev/null
rm -f "$root/tmp/$name"

in_root dpkg -l korvane 2>/dev/null | grep -q '^[a-z][a-z] *korvane' && fail "dpkg still knows korvane"
left=$(cd "$root" && find . -xdev -path ./proc -prune -o -path ./tmp -prune -o -iname '*korvane*' -print)
[ -z "$left" ] || fail "left behind: $left"
listing >"$root/tmp/after"
# What the dependencies' own scripts left behind is theirs, not ours: shown, not failed.
if ! diff "$root/tmp/before" "$root/tmp/after" >"$root/tmp/diff"; then
  step "left by the dependencies' own scripts:"
  grep '^[<>]' "$root/tmp/diff" | sed 's/^/  /'
fi
step "ok: installed, ran, purged; nothing left"
