#!/bin/sh
# Runs a Windows program of the cross build under Wine, in the build's own prefix:
#   wine-run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
#   wine-run.sh PREFIX --stop        ends the prefix's wineserver
# CTest uses it as the emulator for every test program. The prefix is made on first use,
# headless: the null display driver when no X display is reachable, no crash dialog. Its exit
# status is the program's, except that a crash or a test run Wine cut short always fails, and a
# start that Wine itself failed is tried once more (and said so).
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
# session's services come up once with it. Whether they did, the program's own start tells.
start_server() {
  if quiet wineserver -p60; then
    quiet wine cmd.exe /c exit || true
  fi
}

# The first window of a program also starts Wine's desktop process, which stays a second or two
# after the program ends and inherits its standard streams. So the program writes into files,
# passed on when it ends: the desktop never holds CTest's pipe.
output=$(mktemp -d)
trap 'rm -rf "$output"' EXIT
run_program() {
  start_server
  status=0
  wine "$@" >"$output/out" 2>"$output/err" || status=$?
}

# A test program of GoogleTest's always prints, whether it passes or fails; one that runs tests
# (rather than listing them) ends a complete run with its "[  PASSED  ]" line.
gtest_program=false
gtest_run=false
for argument in "$@"; do
  case $argument in
    --gtest_filter=*) gtest_program=true gtest_run=true ;;
    --gtest_*) gtest_program=true ;;
  esac
done

# Wine itself failed to start the program: its loader ended before the program ran (a server
# that went away as the program connected, say), with a status of its own (or, for a test
# program, 0) and nothing on standard output or error but Wine's own lines. A program that ran
# and failed always leaves its own output, so its failure is never taken for this.
not_started() {
  [ ! -s "$output/out" ] || return 1
  grep -qv '^wine\( client error\)\{0,1\}:' "$output/err" && return 1
  crashed && return 1
  [ "$status" -ne 0 ] || $gtest_program
}

# A crash of the program: Wine's debugger reports it, and the status Wine then gives is not
# always a failure's (now and then 0).
crashed() {
  grep -q '^wine: Unhandled' "$output/err"
}

# A test run that Wine ended before its end (its server went away while it ran): the status is
# then 0, but GoogleTest never printed its summary.
cut_short() {
  $gtest_run && [ "$status" -eq 0 ] && ! grep -q '^\[  PASSED  \]' "$output/out"
}

run_program "$@"
if not_started; then
  echo "wine-run.sh: Wine did not start $1 (exit status $status, nothing printed); starting it once more" >&2
  sleep 1
  run_program "$@"
fi
cat "$output/out"
cat "$output/err" >&2
failure=""
if not_started; then
  failure="Wine did not start $1 the second time either"
elif crashed; then
  failure="$1 crashed"
elif cut_short; then
  failure="$1 ended before its tests did"
fi
if [ -n "$failure" ]; then
  echo "wine-run.sh: $failure (exit status $status)" >&2
  [ "$status" -ne 0 ] || status=1
fi
exit $status
