#!/bin/sh
# Pictures of the Windows program's windows as Wine draws them on a private X server: the clock
# pinned to 5 November 2024, 14:32 (as for the Linux pictures), the German locale for the
# calendar's names, and the settings each picture needs in a fresh registry key.
#
#   tools/windows_screenshots.sh page DIR
#       DIR/start.png and DIR/stamping.png, the main window's client area with the start values
#       and set up for stamping (a date and the text "Rechnung_"): the screenshots of the Windows
#       information page (make_info_picture page windows ...).
#   tools/windows_screenshots.sh [MAIN.png [DIALOG.png]]
#       the README's pictures of both windows, title bars included, in Wine's own desktop
#       (default docs/windows-main-window.png and docs/windows-info-dialog.png).
#
# Needs the Windows build (make windows) and makes its Wine prefix when there is none yet; needs
# Xvfb, xdotool, ImageMagick and faketime.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$root/build/windows/app/kustel.exe
export WINEPREFIX=$root/build/windows/wine-prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# Every Wine process of the session German, or the session's first one sets another locale.
export LC_ALL=de_DE.UTF-8
[ -e "$exe" ] || { echo "build the Windows program first (make windows)" >&2; exit 1; }
for tool in Xvfb xdotool import faketime; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The prefix as the Windows suite makes it (fonts, no crash dialog); its headless session ends,
# so the next one can draw on X.
sh "$root/cmake/wine-run.sh" "$WINEPREFIX" cmd.exe /c exit >/dev/null 2>&1
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
DISPLAY=:$(cat "$work/display")
export DISPLAY
xdotool mousemove 1023 767  # the pointer out of every picture

# Runs a Wine program with the pinned clock. The clock runs on from there, so Wine's own timers
# still work; the times of files stay true, or Wine would take its prefix for outdated and set it
# up again.
pinned_wine() {
  NO_FAKE_STAT=1 faketime -f '@2024-11-05 14:32:00' wine "$@"
}

# The settings the next start reads: nothing stored (the start values), or the given text.
store_settings() {
  pinned_wine reg delete 'HKCU\software\tolm\kustel' /f >/dev/null 2>&1 || true
  [ -z "${1:-}" ] ||
    pinned_wine reg add 'HKCU\software\tolm\kustel' /v cfg_regstring /d "$1" /f >/dev/null 2>&1
}

window_of() {
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$id" ] && echo "$id" && return 0
    sleep 0.1
  done
  echo "no window '$1'" >&2
  return 1
}

# Without a window manager each Wine window is an X window the size of its client area.
client_area() {  # client_area OUTPUT.png
  pinned_wine "$exe" >/dev/null 2>&1 &
  main=$(window_of 'Programm KUSTEL')
  sleep 2
  size=$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^\(WIDTH\|HEIGHT\)=//p' | paste -sd x)
  [ "$size" = 712x381 ] || { echo "the main window's client area is $size, not 712x381" >&2; exit 1; }
  import -window "$main" "$1"
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  echo "$1"
}

if [ "${1:-}" = page ]; then
  [ $# -eq 2 ] || { echo "usage: $0 page DIR" >&2; exit 2; }
  mkdir -p "$2"
  store_settings ""
  client_area "$2/start.png"
  # "Dateidatum + bel.Text", the first layout, underscore, "entfernen", no date, "Rechnung_".
  store_settings 40110099999999Rechnung_
  client_area "$2/stamping.png"
  exit 0
fi

main_png=${1:-$root/docs/windows-main-window.png}
dialog_png=${2:-$root/docs/windows-info-dialog.png}
store_settings ""
pinned_wine explorer /desktop=Kustel,1024x768 "$exe" >/dev/null 2>&1 &
# Inside Wine's desktop each window is an X window of its own, title bar and frame included.
main=$(window_of 'Programm KUSTEL')
sleep 2
import -window "$main" "$main_png"
xdotool key alt+i
dialog=$(window_of 'Bedienung und Lizenzvereinbarung')
sleep 2
import -window "$dialog" "$dialog_png"

echo "$main_png"
echo "$dialog_png"
