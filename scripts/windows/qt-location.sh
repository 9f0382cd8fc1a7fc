# Where the Windows build of Qt lives: a cache folder outside the checkout,
# shared by every clone on this machine.
KORVANE_WINDOWS_QT=${KORVANE_WINDOWS_QT:-${XDG_CACHE_HOME:-$HOME/.cache}/korvane/qt-6.4.2-mingw64}
export KORVANE_WINDOWS_QT
