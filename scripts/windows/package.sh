#!/usr/bin/env bash
# The portable zip and the installer from a finished Windows build.
# Usage: package.sh <the Windows build folder> <version> <folder for the two files>
set -euo pipefail
win=$(cd "$1" && pwd) version=$2
mkdir -p "$3"
dist=$(cd "$3" && pwd)
top=$(cd "$(dirname "$0")/../.." && pwd)
name=korvane-$version
stage=$win/stage/$name
rm -rf "$win/stage"
mkdir -p "$stage" "$dist"

# The program and all it expects beside it; the tests, their Qt library and
# the offscreen platform they use stay behind.
(cd "$win/out" && tar -cf - --exclude=korvane_tests.exe --exclude=Qt6Test.dll \
  --exclude=platforms/qoffscreen.dll \
  --exclude='*.log' --exclude=qelmira.ini .) | (cd "$stage" && tar -xf -)
host=$(sed -n 's/^KORVANE_HOST_BUILD:PATH=//p' "$win/CMakeCache.txt")
cp "$host/pictures/icon.ico" "$stage/korvane.ico"

# Licences: the game's; Qt's (LGPL 3) with where its source comes from; the
# IPA fonts'; MinGW's runtime.
lic=$stage/licenses
mkdir -p "$lic"
cp "$top/packaging/copyright" "$lic/LICENSE.txt"
cp /usr/share/common-licenses/LGPL-3 "$lic/Qt-LGPL-3.txt"
cp /usr/share/common-licenses/GPL-3 "$lic/GPL-3.txt"
qtver=$(apt-cache showsrc qt6-base 2>/dev/null | sed -n 's/^Version: //p' | head -n 1)
cat > "$lic/Qt-SOURCE.txt" <<TXT
This game uses the Qt libraries (Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll and
the plugins in platforms/ and styles/), version 6.4.2, under the GNU Lesser
General Public License version 3 (Qt-LGPL-3.txt, which refers to GPL-3.txt).
They were built unmodified for Windows from Debian's source package
qt6-base ${qtver:-6.4.2+dfsg} (Debian 12), which anyone can obtain with
"apt-get source qt6-base" or from the Debian archive. You may replace these
DLLs with your own build of Qt 6.4 of the same configuration.
TXT
cp /usr/share/doc/fonts-ipafont-gothic/copyright "$lic/IPA-Font-License.txt"
cat /usr/share/doc/gcc-mingw-w64-base/copyright /usr/share/doc/mingw-w64-common/copyright \
  > "$lic/MinGW-runtime.txt"
# Windows readers expect CRLF.
for f in "$lic"/*.txt; do sed -i 's/\r$//; s/$/\r/' "$f"; done

# The portable zip: unpacked anywhere, the game keeps qelmira.ini beside it.
# Same files, same dates, same zip.
epoch=$(git -C "$top" log -1 --format=%ct 2>/dev/null || echo 0)
find "$win/stage" -exec touch -h -d "@$epoch" {} +
rm -f "$dist/$name-windows-x64.zip"
(cd "$win/stage" && find "$name" | LC_ALL=C sort | zip -X -q -9 "$dist/$name-windows-x64.zip" -@)

# The installer: every file named, so the uninstaller removes exactly them.
lists=$win/stage-lists
rm -rf "$lists" && mkdir -p "$lists"
(
  cd "$stage"
  find . -type d | LC_ALL=C sort | while read -r d; do
    d=${d#./}
    if [ "$d" = . ]; then echo 'SetOutPath "$INSTDIR"'; else echo "SetOutPath \"\$INSTDIR\\${d//\//\\}\""; fi
    find "./$d" -maxdepth 1 -type f | LC_ALL=C sort | while read -r f; do
      f=${f#./}
      echo "File \"\${STAGE}/$f\""
    done
  done
  echo 'SetOutPath "$INSTDIR"'
) > "$lists/files.nsh"
(
  cd "$stage"
  find . -type f | LC_ALL=C sort | while read -r f; do
    f=${f#./}
    echo "Delete \"\$INSTDIR\\${f//\//\\}\""
  done
  find . -mindepth 1 -type d | LC_ALL=C sort -r | while read -r d; do
    d=${d#./}
    echo "RMDir \"\$INSTDIR\\${d//\//\\}\""
  done
) > "$lists/remove.nsh"
size_kb=$(du -sk "$stage" | cut -f1)
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DLISTS="$lists" -DSIZE_KB="$size_kb" \
  -DOUTFILE="$dist/$name-setup.exe" "$top/packaging/windows/korvane.nsi"
