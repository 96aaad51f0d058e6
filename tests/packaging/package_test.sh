#!/bin/sh
# The Debian package as a user gets it, unpacked with dpkg-deb into a temporary root.
# Usage: package_test.sh build   BUILD_FOLDER PACKAGE_FOLDER   (CPack writes the package)
#        package_test.sh CHECK   PACKAGE_FOLDER VERSION SOURCE_FOLDER
# CHECK is one of: contents control stamps validators.
set -eu
check=$1
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

if [ "$check" = build ]; then
  build=$2 out=$3
  rm -rf "$out"
  cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 || {
    cat "$out.log"
    fail "cpack"
  }
  ls "$out"/*.deb
  exit 0
fi

packages=$2 version=$3 source=$4
architecture=$(dpkg --print-architecture)
deb=$packages/kustel_${version}_$architecture.deb
[ -f "$deb" ] || fail "no package named $deb: $(ls "$packages")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
dpkg-deb -x "$deb" "$root"

# Width and height from a PNG's header, as "WxH".
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'
}

case $check in
contents)
  # Exactly these files, no more: a stray file (a record of a home install, a build path) shows.
  expected='usr/bin/kustel
usr/libexec/kustel/kustel
usr/libexec/kustel/kustel-gui.so
usr/share/Thunar/sendto/kustel.desktop
usr/share/applications/io.github.kustel.Kustel.desktop
usr/share/doc/kustel/changelog.gz
usr/share/doc/kustel/copyright
usr/share/file-manager/actions/kustel.desktop
usr/share/icons/hicolor/128x128/apps/kustel.png
usr/share/icons/hicolor/16x16/apps/kustel.png
usr/share/icons/hicolor/256x256/apps/kustel.png
usr/share/icons/hicolor/32x32/apps/kustel.png
usr/share/icons/hicolor/48x48/apps/kustel.png
usr/share/icons/hicolor/64x64/apps/kustel.png
usr/share/icons/hicolor/scalable/apps/kustel.svg
usr/share/kio/servicemenus/kustel.desktop
usr/share/man/de/man1/kustel.1.gz
usr/share/man/man1/kustel.1.gz
usr/share/metainfo/io.github.kustel.Kustel.metainfo.xml
usr/share/nautilus-python/extensions/kustel.py
usr/share/nemo/actions/kustel.nemo_action'
  actual=$(cd "$root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
  [ "$actual" = "$expected" ] || fail "files differ from the expected list:
$(printf '%s\n' "$expected" >"$work/expected"; printf '%s\n' "$actual" | diff "$work/expected" -)"

  # The command is a relative link into the program's own folder, beside its window module.
  [ "$(readlink "$root/usr/bin/kustel")" = ../libexec/kustel/kustel ] || fail "link"
  [ -x "$root/usr/libexec/kustel/kustel" ] || fail "the program is not executable"
  for file in usr/share/applications/io.github.kustel.Kustel.desktop \
    usr/share/kio/servicemenus/kustel.desktop usr/share/nemo/actions/kustel.nemo_action \
    usr/share/Thunar/sendto/kustel.desktop usr/share/file-manager/actions/kustel.desktop \
    usr/share/nautilus-python/extensions/kustel.py; do
    [ ! -x "$root/$file" ] || fail "$file is executable"
  done
  # Installed for /usr, every entry calls the command by name, which every session finds; the
  # menu entry hands it no file.
  grep -qx 'Exec=sh -c "exec kustel" kustel' \
    "$root/usr/share/applications/io.github.kustel.Kustel.desktop" &&
    grep -qx 'Exec=kustel %F' "$root/usr/share/kio/servicemenus/kustel.desktop" &&
    grep -qx 'Exec=kustel %F' "$root/usr/share/nemo/actions/kustel.nemo_action" &&
    grep -qx 'Exec=kustel %F' "$root/usr/share/Thunar/sendto/kustel.desktop" &&
    grep -qx 'Exec=kustel %F' "$root/usr/share/file-manager/actions/kustel.desktop" &&
    grep -qx 'PROGRAM = "kustel"' "$root/usr/share/nautilus-python/extensions/kustel.py" ||
    fail "an entry does not call kustel with the files"
  ! grep -rl -e "$source" -e _CPack_Packages "$root/usr/share" || fail "a build path leaked"

  for size in 16 32 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x$size/apps/kustel.png
    [ "$(png_size "$icon")" = "${size}x$size" ] || fail "$icon is $(png_size "$icon")"
  done
  # The Windows icon: four pictures of 16, 32, 48 and 256 (stored as 0) pixels.
  ico=$source/packaging/kustel.ico
  [ "$(od -An -tu1 -N6 "$ico" | tr -s ' ')" = " 0 0 1 0 4 0" ] || fail "kustel.ico header"
  sizes=$(for entry in 0 1 2 3; do od -An -tu1 -j$((6 + 16 * entry)) -N1 "$ico"; done | tr -d ' \n')
  [ "$sizes" = 1632480 ] || fail "kustel.ico holds the sizes $sizes"

  # The manual pages, English in man1 and German in de/man1, are compressed and render without
  # a single warning; each is true to both modes and names the file managers' entries.
  for page in "man1 Mit Kustel stempeln;EXIT STATUS;standard error" \
    "de/man1 Mit Kustel stempeln;RÜCKGABEWERT;Standardfehlerausgabe"; do
    folder=${page%% *} texts=${page#* }
    file=$root/usr/share/man/$folder/kustel.1.gz
    gzip -t "$file"
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$file" >"$work/man.txt" 2>"$work/man.err"
    [ ! -s "$work/man.err" ] || fail "$folder: man page warnings: $(cat "$work/man.err")"
    text=$(tr -s ' \n' '  ' <"$work/man.txt")
    old_ifs=$IFS IFS=';'
    for wanted in $texts cfg_regstring 'Das Programm KUSTEL läuft bereits' "Kustel $version" \
      'Einstellungen konnten nicht gelesen werden, Programm wird fortgesetzt.' \
      'Einstellungen konnten nicht gespeichert werden' 'Senden an' python3-nautilus; do
      printf '%s' "$text" | grep -qF -- "$wanted" || fail "$folder: the manual page lacks $wanted"
    done
    IFS=$old_ifs
  done

  # Debian's machine-readable copyright, its licence text the one in LICENSE.
  copyright=$root/usr/share/doc/kustel/copyright
  format='Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/'
  [ "$(head -1 "$copyright")" = "$format" ] || fail "copyright format line"
  grep -qx 'License: Expat' "$copyright" || fail "copyright licence"
  sed -n '/^ Permission/,$p' "$copyright" | sed 's/^ //; s/^\.$//' >"$work/licence"
  sed -n '/^Permission/,$p' "$source/LICENSE" | diff - "$work/licence" ||
    fail "licence text differs"
  ;;

control)
  fields=$(dpkg-deb -f "$deb" Package Version Architecture Depends Recommends Suggests)
  printf '%s\n' "$fields"
  printf '%s\n' "$fields" | grep -qx 'Package: kustel' || fail "package name"
  printf '%s\n' "$fields" | grep -qx "Version: $version" || fail "version"
  printf '%s\n' "$fields" | grep -qx "Architecture: $architecture" || fail "architecture"
  depends=$(printf '%s\n' "$fields" | sed -n 's/^Depends: //p')
  # Found by dpkg-shlibdeps, and named for the window: its platform plugins and German texts.
  for package in libqt6widgets6 libqt6gui6 libqt6core6 zlib1g libc6 qt6-qpa-plugins \
    qt6-wayland qt6-translations-l10n; do
    printf '%s' "$depends" | tr ',' '\n' | grep -q "^ *$package\( \|$\)" ||
      fail "Depends lacks $package"
  done
  # GNOME Files reads Kustel's entry through nautilus-python; PCManFM and Caja through
  # extensions that only their users want.
  printf '%s\n' "$fields" | grep -qx 'Recommends: python3-nautilus' || fail "Recommends"
  printf '%s\n' "$fields" | grep -qx 'Suggests: libfm-modules, caja-actions' || fail "Suggests"
  # The changelog's newest entry is this version.
  zcat "$root/usr/share/doc/kustel/changelog.gz" >"$work/changelog"
  [ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$version" ] ||
    fail "the changelog's newest version is not $version"
  # The control data in German, like everything the user sees.
  dpkg-deb -f "$deb" Description | grep -q 'Datum oder einen Text vor Dateinamen' ||
    fail "description"
  ;;

stamps)
  # The unpacked program, through its link, with a file date and YYYY-MM-DD- and "beibehalten".
  export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" TZ=Europe/Berlin
  unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  mkdir -p "$XDG_CONFIG_HOME/tolm/kustel" "$work/files"
  printf '10000099999999xxx' >"$XDG_CONFIG_HOME/tolm/kustel/cfg_regstring"
  touch -d '2024-11-05 14:32' "$work/files/scan.pdf"
  "$root/usr/bin/kustel" "$work/files/scan.pdf"
  [ -e "$work/files/2024-11-05-scan.pdf" ] || fail "not stamped: $(ls "$work/files")"
  # Stamped again with "beibehalten": the name stays, and that counts as done.
  "$root/usr/bin/kustel" "$work/files/2024-11-05-scan.pdf"
  [ -e "$work/files/2024-11-05-scan.pdf" ] || fail "the stamp changed: $(ls "$work/files")"
  # The stripped window module beside it still opens the window: window mode then stays until
  # the window is closed, here until timeout ends it (exit code 124), without a message.
  status=0
  QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/kustel" 2>"$work/errors" || status=$?
  [ "$status" -eq 124 ] && [ ! -s "$work/errors" ] || fail "the window did not open: $(cat "$work/errors")"
  ;;

validators)
  desktop-file-validate "$root/usr/share/applications/io.github.kustel.Kustel.desktop"
  desktop-file-validate "$root/usr/share/Thunar/sendto/kustel.desktop"
  metainfo=$root/usr/share/metainfo/io.github.kustel.Kustel.metainfo.xml
  appstreamcli validate --no-net --pedantic "$metainfo"
  # What the metainfo points at is in the package, and its newest release is this version.
  launchable='<launchable type="desktop-id">io.github.kustel.Kustel.desktop</launchable>'
  grep -qF "$launchable" "$metainfo" || fail "launchable"
  [ -f "$root/usr/share/applications/io.github.kustel.Kustel.desktop" ] || fail "no such entry"
  grep -q '<icon type="stock">kustel</icon>' "$metainfo" || fail "icon"
  newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -1)
  [ "$newest" = "$version" ] || fail "the newest release in the metainfo is $newest, not $version"
  # No entry makes Kustel a handler: no MimeType in the menu entry.
  ! grep -q '^MimeType' "$root/usr/share/applications/io.github.kustel.Kustel.desktop" ||
    fail "the menu entry claims file types"
  ;;

*)
  fail "unknown check $check"
  ;;
esac
echo "package: $check passed"
