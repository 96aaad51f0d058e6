#!/bin/sh
# A home-prefix installation, installed twice over, then removed with `make uninstall`: the
# prefix is as it was before, what the user had there stays, and so does a file the user put
# into one of Kustel's folders.
# Usage: uninstall_test.sh BUILD_FOLDER SOURCE_FOLDER
set -eu
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

prefix="$work/Persönlicher Ordner/.local"
mkdir -p "$prefix/bin" "$prefix/share/applications" "$prefix/share/icons/hicolor/48x48/apps"
touch "$prefix/bin/other-tool" "$prefix/share/applications/other.desktop" \
  "$prefix/share/icons/hicolor/48x48/apps/other.png"
listing() { (cd "$work/Persönlicher Ordner" && find . | LC_ALL=C sort); }
listing >"$work/before"

cmake --install "$build" --prefix "$prefix" >/dev/null
cmake --install "$build" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/kustel" ] && [ -f "$prefix/share/kustel/installed-files" ] ||
  fail "not installed"

make -s -C "$source" uninstall PREFIX="$prefix" >"$work/uninstall.log"
listing | diff "$work/before" - || fail "the prefix differs from before the installation"

# GNOME Files imports the extension, and Python caches its byte code beside it: the cache goes
# with the extension.
cmake --install "$build" --prefix "$prefix" >/dev/null
extensions="$prefix/share/nautilus-python/extensions"
mkdir "$extensions/__pycache__"
touch "$extensions/__pycache__/kustel.cpython-311.pyc"
make -s -C "$source" uninstall PREFIX="$prefix" >"$work/uninstall.log"
listing | diff "$work/before" - || fail "the extension's byte code stayed"

# Something of the user's in a folder the installation created keeps that folder.
cmake --install "$build" --prefix "$prefix" >/dev/null
echo notes >"$prefix/share/kustel/notes.txt"
make -s -C "$source" uninstall PREFIX="$prefix" >"$work/uninstall.log"
[ -f "$prefix/share/kustel/notes.txt" ] || fail "the user's file went"
[ ! -e "$prefix/share/nautilus-python/extensions/kustel.py" ] && [ ! -e "$prefix/bin/kustel" ] &&
  [ ! -e "$prefix/libexec/kustel" ] || fail "Kustel's files stayed"

# An installation over an earlier one takes away what that one wrote and this one no longer
# does, as dpkg does on an upgrade: here the GNOME Files script of earlier versions.
cmake --install "$build" --prefix "$prefix" >/dev/null
script="$prefix/share/kustel/nautilus-script"
printf '#!/bin/sh\n' >"$script"
printf '%s\n' "$script" >>"$prefix/share/kustel/installed-files"
cmake --install "$build" --prefix "$prefix" >/dev/null
[ ! -e "$script" ] || fail "the earlier installation's script stayed"
! grep -qxF "$script" "$prefix/share/kustel/installed-files" || fail "the record still names it"
echo "install and uninstall in a home prefix leave it as it was"
