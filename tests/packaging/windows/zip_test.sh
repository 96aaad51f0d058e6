#!/bin/sh
# The portable zip as a Windows user unpacks it: exactly kustel.exe, LIZENZ.txt and LIESMICH.txt,
# with no folder inside (Explorer's "Alle extrahieren" makes one, named after the zip); the
# program is the build's, the texts have CRLF line ends for Notepad.
# Usage: zip_test.sh ZIP PROGRAM LICENSE VERSION
set -eu
zip=$1 program=$2 license=$3 version=$4
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cr=$(printf '\r')

names=$(unzip -Z1 "$zip" | LC_ALL=C sort)
[ "$names" = "$(printf '%s\n' LIESMICH.txt LIZENZ.txt kustel.exe)" ] ||
  fail "the zip holds other files: $names"
unzip -q "$zip" -d "$work"

cmp -s "$work/kustel.exe" "$program" || fail "kustel.exe is not the program of this build"
sed "s/\$/$cr/" "$license" | cmp -s - "$work/LIZENZ.txt" ||
  fail "LIZENZ.txt is not LICENSE with CRLF line ends"

readme=$work/LIESMICH.txt
# Every line ends in CRLF: as many carriage returns before a line feed as line feeds.
for text in "$work/LIZENZ.txt" "$readme"; do
  [ "$(grep -c "$cr\$" "$text")" -eq "$(wc -l <"$text")" ] ||
    fail "$(basename "$text") has lines without CRLF"
done
# UTF-8 with a byte-order mark, so that every Notepad shows its umlauts.
[ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "LIESMICH.txt has no BOM"
iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null 2>&1 || fail "LIESMICH.txt is not UTF-8"
head -n 1 "$readme" | grep -q "Kustel $version – " ||
  fail "LIESMICH.txt does not name version $version"
grep -q 'Ohne Installation' "$readme" || fail "LIESMICH.txt does not say how to run Kustel"
echo "$zip: $(echo "$names" | tr '\n' ' ')"
