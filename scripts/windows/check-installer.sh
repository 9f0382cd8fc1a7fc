#!/usr/bin/env bash
# Installs the installer silently under Wine, for the current user and for
# all users, checks what it installed (the program runs from there, the
# Start-menu shortcut, the entry in "Apps", the mark that keeps the settings
# in %APPDATA%\KORVANE), then uninstalls it silently and checks that all of
# it went and the player's settings stayed.
# Usage: check-installer.sh <setup.exe> <version>   (WINEPREFIX set)
set -euo pipefail
setup=$1 version=$2
export WINEDEBUG=${WINEDEBUG:--all}
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\KORVANE'
fail() { echo "check-installer: $*" >&2; exit 1; }
unixPath() { winepath -u "$(wine cmd /c echo "$1" 2>/dev/null | tr -d '\r')" 2>/dev/null; }

appdata=$(unixPath '%APPDATA%')
for mode in CurrentUser AllUsers; do
  if [ $mode = CurrentUser ]; then
    dir=$(unixPath '%LOCALAPPDATA%')/Programs/KORVANE
    root=HKCU
    menu=$(unixPath '%APPDATA%')/Microsoft/Windows/Start\ Menu/Programs
  else
    dir=$(unixPath '%ProgramW6432%')/KORVANE
    root=HKLM
    menu=$(unixPath '%ProgramData%')/Microsoft/Windows/Start\ Menu/Programs
  fi
  regkey=${key/HKCU/$root}
  wine "$setup" /S /$mode
  wineserver -w
  for f in korvane.exe uninstall.exe korvane.installed Qt6Widgets.dll platforms/qwindows.dll \
           help/index.html correct.wav fonts/ipag.ttf licenses/Qt-SOURCE.txt; do
    [ -f "$dir/$f" ] || fail "$mode: $f was not installed in $dir"
  done
  [ -f "$menu/KORVANE.lnk" ] || fail "$mode: no Start-menu shortcut"
  wine reg query "$regkey" /v UninstallString >/dev/null 2>&1 || fail "$mode: no entry in Apps"
  got=$(wine "$dir/korvane.exe" --version 2>/dev/null | tr -d '\r' | head -n 1)
  case "$got" in *"$version"*) ;; *) fail "$mode: the installed program answered '$got'" ;; esac

  # A player's settings, which the uninstaller must leave.
  mkdir -p "$appdata/KORVANE"
  printf '[IniCheck]\r\nDummy=1\r\n' > "$appdata/KORVANE/qelmira.ini"
  wine "$dir/uninstall.exe" /S /$mode
  wineserver -w
  [ ! -e "$dir" ] || fail "$mode: the uninstaller left $(find "$dir" | head -n 5)"
  [ ! -e "$menu/KORVANE.lnk" ] || fail "$mode: the shortcut stayed"
  ! wine reg query "$regkey" >/dev/null 2>&1 || fail "$mode: the entry in Apps stayed"
  [ -f "$appdata/KORVANE/qelmira.ini" ] || fail "$mode: the player's settings went"
  rm -rf "$appdata/KORVANE"
  echo "installer: $mode install and uninstall checked"
done
