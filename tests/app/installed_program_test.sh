#!/bin/sh
# The installed program, started through the link on PATH, still finds its window module beside
# its real file, stamps a file from the command line, and opens its window.
# Usage: installed_program_test.sh BUILD_FOLDER
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
kustel=$work/prefix/bin/kustel
test -L "$kustel"
# Installed outside /usr, the menu entry calls the program by its absolute path, and with no file.
grep -qx "Exec=sh -c \"exec $work/prefix/bin/kustel\" kustel" \
  "$work/prefix/share/applications/io.github.kustel.Kustel.desktop"

export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" TZ=Europe/Berlin
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME/tolm/kustel" "$work/files"
printf '10000099999999xxx' > "$XDG_CONFIG_HOME/tolm/kustel/cfg_regstring"  # file date, YYYY-MM-DD-
touch -d '2024-11-05 14:32' "$work/files/scan.pdf"

"$kustel" "$work/files/scan.pdf"
test -e "$work/files/2024-11-05-scan.pdf"

# The window needs the module: without it window mode ends at once with a message. With it the
# window stays open until it is closed, here until timeout ends it (exit code 124).
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$kustel" 2>"$work/errors" || status=$?
test "$status" -eq 124
test ! -s "$work/errors"
echo "installed program: stamps from the command line and opens its window"
