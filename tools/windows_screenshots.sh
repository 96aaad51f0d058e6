#!/bin/sh
# Pictures of the Windows program's two windows as Wine draws them, title bars included: Wine's
# own desktop in a window of a private X server, the German locale for the calendar's names, the
# start values in a fresh registry key. Needs the Windows build and its test prefix
# (make windows, then the Windows suite once) and Xvfb, xdotool and ImageMagick.
# Usage: tools/windows_screenshots.sh [MAIN.png [DIALOG.png]]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
main_png=${1:-$root/docs/windows-main-window.png}
dialog_png=${2:-$root/docs/windows-info-dialog.png}
exe=$root/build/windows/app/kustel.exe
export WINEPREFIX=$root/build/windows/wine-prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# Every Wine process of the session German, or the session's first one sets another locale.
export LC_ALL=de_DE.UTF-8
[ -e "$exe" ] && [ -d "$WINEPREFIX" ] || { echo "build and test the Windows program first" >&2; exit 1; }

work=$(mktemp -d)
xvfb=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
DISPLAY=:$(cat "$work/display")
export DISPLAY

wine reg delete 'HKCU\software\tolm\kustel' /f >/dev/null 2>&1 || true
wine explorer /desktop=Kustel,1024x768 "$exe" >/dev/null 2>&1 &
# Inside Wine's desktop each window is an X window of its own, title bar and frame included.
window_of() {
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$id" ] && echo "$id" && return 0
    sleep 0.1
  done
  echo "no window '$1'" >&2
  return 1
}
main=$(window_of 'Programm KUSTEL')
sleep 2
import -window "$main" "$main_png"
xdotool key alt+i
dialog=$(window_of 'Bedienung und Lizenzvereinbarung')
sleep 2
import -window "$dialog" "$dialog_png"

echo "$main_png"
echo "$dialog_png"
