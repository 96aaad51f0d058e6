#!/bin/sh
# kustel.exe on a desktop, used as its user uses it: Wine draws its windows on a private X server
# (Xvfb, no window manager, so each X window is a window's client area) and the test works the
# mouse and keyboard with xdotool. The window opens centred; files dragged from a real X program
# (tests/support/drag_source.cpp) are stamped when they are let go over the drop area, and not
# elsewhere; the info button opens the dialog, whose picture the wheel scrolls (read back in the
# screen's pixels) and which S closes; the close button saves to the registry and ends the
# program.
# Usage: windows_desktop_test.sh KUSTEL_EXE WINE_RUN WINE_PREFIX TOOLS
#   WINE_RUN, WINE_PREFIX  the Windows suite's emulator and its prefix
#   TOOLS                  the default build's test tools (x_window, drag_source, window_place)
# Exit code 77 (skipped) when a tool is missing.
set -u
exe=$1
wine_run=$2
prefix=$3
tools=$4

skip() {
  echo "skipped: $1"
  exit 77
}
for tool in Xvfb xdotool import convert compare; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x "$tools/x_window" ] && [ -x "$tools/drag_source" ] && [ -x "$tools/window_place" ] ||
  skip "$tools/x_window, drag_source or window_place is missing: build the default preset first"

failures=0
fail() {
  echo "FAILED: $1"
  failures=$((failures + 1))
}
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "ok: $1"; else fail "$1: expected '$2', got '$3'"; fi
}
# The places of the window definitions: `place Main` sets WIDTH and HEIGHT of its client area,
# `place Main lboxFiles` LEFT, TOP, WIDTH and HEIGHT of a control in it; `middle Main lboxFiles
# LEFT TOP` prints the screen point in the middle of the control, for a window at (LEFT, TOP).
place() { eval "$("$tools/window_place" "$@")"; }
middle() {
  place "$1" "$2"
  echo $(($3 + LEFT + WIDTH / 2)) $(($4 + TOP + HEIGHT / 2))
}

work=$(mktemp -d)
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
xvfb=""
cleanup() {
  # Wine ends with its server; the suite's next program starts a headless one again, once this
  # one is gone (a program that met it going would be ended with it).
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The prefix as the suite makes it; its headless session ends, so this one can draw on X.
"$wine_run" "$prefix" cmd.exe /c exit >/dev/null 2>&1
wineserver -k >/dev/null 2>&1
wineserver -w >/dev/null 2>&1

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
DISPLAY=:$(cat "$work/display")
export DISPLAY

wine reg add 'HKCU\software\tolm\kustel' /v cfg_regstring /d 35000099999999N_ /f >/dev/null 2>&1
mkdir "$work/files"
touch "$work/files/a.pdf" "$work/files/mit Leerzeichen.pdf" "$work/files/Grüße.txt" \
  "$work/files/Kalender.pdf"
files() { (cd "$work/files" && ls | tr '\n' '|'); }

wine "$exe" >/dev/null 2>&1 &
kustel=$!

# The main window, centred on the 1280 x 1024 screen: across exactly (its frame is the same on
# both sides), down by half of what is left once the title bar is counted.
main=$("$tools/x_window" wait-mapped 'Programm KUSTEL' 60) || { fail "the window did not open"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$main")"
left=$X top=$Y shown="${WIDTH}x${HEIGHT}"
place Main
check "the client area's size" "${WIDTH}x${HEIGHT}" "$shown"
check "the window's place across" $(((1280 - WIDTH) / 2)) "$left"
centre=$(((1024 - HEIGHT) / 2))
[ "$top" -ge "$centre" ] && [ "$top" -le $((centre + 30)) ] &&
  echo "ok: the window's place down ($top)" || fail "the window's place down: $top"

# Drags files from a real X drag source and lets go over (x, y) of the screen.
drag_to() {
  x=$1 y=$2
  shift 2
  "$tools/drag_source" -platform xcb "$@" >"$work/drag" 2>/dev/null &
  source=$!
  "$tools/x_window" wait-mapped 'Kustel drag source' 20 >/dev/null
  xdotool mousemove 40 40 sleep 0.2 mousedown 1 sleep 0.2 mousemove 60 50 sleep 0.2 \
    mousemove "$x" "$y" sleep 0.3 mousemove_relative 1 1 sleep 0.3 mouseup 1 sleep 0.3
  kill "$source" 2>/dev/null
  wait "$source" 2>/dev/null
}
wait_for_files() {
  for _ in $(seq 50); do [ "$(files)" = "$1" ] && break; sleep 0.1; done
  files
}

drag_to $(middle Main MonthCalendar1 "$left" "$top") "$work/files/Kalender.pdf"
drag_to $(middle Main lboxFiles "$left" "$top") "$work/files/a.pdf" \
  "$work/files/mit Leerzeichen.pdf" "$work/files/Grüße.txt"
# The window stamps from its event queue; a drop it took wrongly on the calendar would have been
# handled before the later one.
stamped="Kalender.pdf|N_Grüße.txt|N_a.pdf|N_mit Leerzeichen.pdf|"
check "a drop on the drop area stamps its files, one on the calendar none" "$stamped" \
  "$(wait_for_files "$stamped")"

# The information dialog, centred on the screen (its work area) across.
xdotool mousemove $(middle Main InfoSBtn "$left" "$top") click 1
liz=$("$tools/x_window" wait-mapped 'Bedienung und Lizenzvereinbarung' 20) ||
  { fail "the info button opened no dialog"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$liz")"
dleft=$X dtop=$Y shown="${WIDTH}x${HEIGHT}"
place Lizenz
check "the dialog's client area" "${WIDTH}x${HEIGHT}" "$shown"
check "the dialog's place across" $(((1280 - WIDTH) / 2)) "$dleft"

# The wheel, read back in the screen's pixels: the picture's area of the scroll box before and
# after a notch, compared with the rows the notch should have moved it by. Nothing else moves it.
place Lizenz Image1
picture_width=$WIDTH
place Lizenz ScrollBox1
box_x=$((dleft + LEFT)) box_y=$((dtop + TOP)) box_height=$HEIGHT
shoot() {
  sleep 0.5
  import -window root -crop "${picture_width}x$box_height+$box_x+$box_y" +repage "$work/$1.png"
}
moved_by() {  # moved_by BEFORE AFTER PIXELS: the rows of AFTER are those of BEFORE, PIXELS lower
  rows=$((box_height - $3))
  convert "$work/$1.png" -crop "${picture_width}x$rows+0+$3" +repage "$work/from.png"
  convert "$work/$2.png" -crop "${picture_width}x$rows+0+0" +repage "$work/to.png"
  compare -metric AE "$work/from.png" "$work/to.png" null: 2>&1
}
shoot start
xdotool mousemove $((box_x + 200)) $((box_y + 200)) click 5
shoot picture
check "a notch over the picture scrolls 30 pixels" 0 "$(moved_by start picture 30)"
xdotool mousemove $((dleft + 5)) $((dtop + 300)) click 5
shoot background
check "a notch over the background scrolls 15 pixels" 0 "$(moved_by picture background 15)"
xdotool mousemove $((box_x + 200)) $((box_y + 200)) click 4 click 4
shoot back
check "two notches back over the picture scroll 45 back, to the top" 0 "$(moved_by back start 0)"

xdotool key s
for _ in $(seq 50); do
  [ -z "$(xdotool search --onlyvisible --name 'Bedienung und Lizenzvereinbarung' 2>/dev/null)" ] && break
  sleep 0.1
done
check "S closes the dialog" "" "$(xdotool search --onlyvisible --name 'Bedienung und Lizenzvereinbarung' 2>/dev/null)"

# "Dateidatum", then the close button: saved, and the program ends.
xdotool mousemove $(middle Main DatumRGroupItem1 "$left" "$top") click 1 sleep 0.3
xdotool mousemove $(middle Main CloseSBtn "$left" "$top") click 1
status=timeout
for _ in $(seq 100); do
  if ! kill -0 "$kustel" 2>/dev/null; then
    wait "$kustel"
    status=$?
    break
  fi
  sleep 0.1
done
check "the close button ends the program" 0 "$status"
stored=$(wine reg query 'HKCU\software\tolm\kustel' /v cfg_regstring 2>/dev/null |
  tr -d '\r' | sed -n 's/.*REG_SZ *//p')
check "the close button saved the options" 15000099999999N_ "$stored"

[ "$failures" -eq 0 ]
