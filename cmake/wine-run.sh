#!/bin/sh
# Runs a Windows program of the cross build under Wine, in the build's own prefix:
#   wine-run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
#   wine-run.sh PREFIX --stop        ends the prefix's wineserver
# CTest uses it as the emulator for every test program. The prefix is made on first use,
# headless: the null display driver when no X display is reachable, no crash dialog.
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# No menu entries written into the host's home; no offer to download Mono or Gecko, which no
# test needs.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# The tests drive every window through messages; a window on someone's desktop would only be in
# the way.
unset DISPLAY WAYLAND_DISPLAY

if [ "${1:-}" = "--stop" ]; then
  wineserver -k >/dev/null 2>&1 || true
  exit 0
fi

# Everything Wine starts for itself (the wineserver, the session's services) is started here,
# detached from our standard streams: CTest waits until a test's output pipe is closed, and a
# server that inherited that pipe would hold every test for seconds.
quiet() { "$@" </dev/null >/dev/null 2>&1; }

# Wine's own faces (Tahoma, MS Sans Serif, Marlett for the caption buttons) in the prefix's font
# folder, where Debian's Wine finds them: it does not look in /usr/share/wine/fonts by itself,
# and the windows would otherwise be drawn and measured in a substitute.
install_fonts() {
  cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
}

make_prefix() {
  quiet wineboot -i
  quiet wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f
  quiet wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
  install_fonts
  quiet wineserver -w
  touch "$prefix/.kustel-ready"
}

if [ ! -e "$prefix/.kustel-ready" ]; then
  mkdir -p "$prefix"
  # Tests started side by side make the prefix once; the others wait for it.
  (
    flock 9
    [ -e "$prefix/.kustel-ready" ] || make_prefix
  ) 9>"$prefix.lock"
fi
# A prefix made before the fonts were installed gets them now.
[ -e "$prefix/drive_c/windows/Fonts/tahoma.ttf" ] || install_fonts

# A server that outlives each program by a minute, so the next test finds it running; the
# session's services come up once with it.
if quiet wineserver -p60; then
  quiet wine cmd.exe /c exit
fi

# The first window of a program also starts Wine's desktop process, which stays a second or two
# after the program ends and inherits its standard streams. So the program writes into files,
# passed on when it ends: the desktop never holds CTest's pipe.
output=$(mktemp -d)
trap 'rm -rf "$output"' EXIT
status=0
wine "$@" >"$output/out" 2>"$output/err" || status=$?
cat "$output/out"
cat "$output/err" >&2
exit $status
