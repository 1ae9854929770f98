#!/usr/bin/env bash
# package_test.sh DIST [WINEPREFIX]
# Checks the packages scripts/package.sh left in DIST as a user would meet them: the Debian
# package's files, dependencies and installed metadata, then its programs run from the unpacked
# tree; the Windows zip unpacked beside a demo TA folder, its console program run under wine64
# (in WINEPREFIX, by default build/windows/wineprefix). Both make a short switch on the demo folder.
set -euo pipefail

[ $# -ge 1 ] || {
  echo "usage: $0 DIST [WINEPREFIX]" >&2
  exit 2
}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
dist=$(cd "$1" && pwd)
prefix=${2:-$root/build/windows/wineprefix}
make_demo=$root/scripts/make-demo-ta.sh
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

work=$(mktemp -d)
wineserver_up=
cleanup() {
  [ -z "$wineserver_up" ] || "$WINESERVER" -k 2>/dev/null || true
  [ -z "${restore_appdata:-}" ] || "$restore_appdata"
  rm -rf -- "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
one_file() {
  local found=("$dist"/$1)
  [ ${#found[@]} -eq 1 ] && [ -f "${found[0]}" ] || fail "not exactly one $1 in $dist"
  echo "${found[0]}"
}

deb=$(one_file 'varokin_*_amd64.deb')
zip=$(one_file 'Varokin-*-windows-x64.zip')
version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "varokin_${version}_amd64.deb" ] || fail "$deb is not named by its version"
[ "$(basename "$zip")" = "Varokin-${version}-windows-x64.zip" ] || fail "$zip has another version"
echo "== packages of Varokin $version"

# A short switch on a fresh demo TA folder through varokin-console: the first Total Conversion
# is switched in and "Close" remembers it. The settings are laid down where this build reads
# them and beside TotalA.exe; the first-use question and the offers are answered already.
# short_switch TA: the command in `run` is started in TA; one of the files in `inis` must
# remember the switch.
short_switch() {
  local ta=$1 out
  out=$(cd "$ta" && printf 'tab 0\nclick 1008 1\nshow 1039\npress 1\n' | "${run[@]}" | tr -d '\r')
  grep -Fqx 'Ashen Frontier' <<<"$out" || fail "the switch did not name the TC: $out"
  [ "$(stat -c %s "$ta/totala1.hpi")" = 28114409 ] || fail "the TC's totala1.hpi was not moved in"
  [ "$(stat -c %s "$ta/totala1.###")" = 32311035 ] || fail "the game's totala1.hpi was not kept"
  cat "${inis[@]}" 2>/dev/null | tr -d '\r' | grep -Fqx 'TC=][AshenFrontier.tc' ||
    fail "no Varokin.INI remembers the TC"
}
settings_text() {
  printf '%s\r\n' '[Varokin]' 'First Use=0' 'Configure ICQ=0' 'Compile Monolithic=0'
}

echo "== the Debian package"
contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' | grep -v '/$' | LC_ALL=C sort)
expected="/usr/bin/varokin
/usr/bin/varokin-console
/usr/share/applications/io.github.varokin.varokin.desktop
/usr/share/doc/varokin/CHANGELOG.md
/usr/share/doc/varokin/THIRD-PARTY.md
/usr/share/doc/varokin/changelog.gz
/usr/share/doc/varokin/copyright
/usr/share/icons/hicolor/128x128/apps/varokin.png
/usr/share/icons/hicolor/256x256/apps/varokin.png
/usr/share/icons/hicolor/48x48/apps/varokin.png
/usr/share/icons/hicolor/scalable/apps/varokin.svg
/usr/share/man/man6/varokin-console.6.gz
/usr/share/man/man6/varokin.6.gz
/usr/share/metainfo/io.github.varokin.varokin.metainfo.xml
/usr/share/mime/packages/varokin.xml"
[ "$contents" = "$expected" ] || fail "the package holds:
$contents
expected:
$expected"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks the Qt libraries: $depends"
! grep -qw wine <<<"$depends" || fail "wine is a hard dependency: $depends"
[ "$(dpkg-deb -f "$deb" Recommends)" = wine ] || fail "wine is not recommended"
echo "contents as expected; Depends: $depends"

tree=$work/deb
dpkg-deb -x "$deb" "$tree"
share=$tree/usr/share
[ "$("$tree/usr/bin/varokin-console" --version)" = "Varokin $version" ] ||
  fail "varokin-console --version does not say Varokin $version"
# The desktop program answers before it needs a display.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$tree/usr/bin/varokin" --version)" = "Varokin $version" ] ||
  fail "varokin --version does not say Varokin $version"
desktop-file-validate "$share/applications/io.github.varokin.varokin.desktop" ||
  fail "desktop-file-validate"
grep -Fqx 'MimeType=application/x-varokin-snapshot;' \
  "$share/applications/io.github.varokin.varokin.desktop" || fail "the .desktop file opens no .tas"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate-tree --no-net "$tree" >"$work/appstream.txt" 2>&1 ||
    fail "appstreamcli: $(cat "$work/appstream.txt")"
  grep -Fq "<release version=\"$version\"" "$share/metainfo/io.github.varokin.varokin.metainfo.xml" ||
    fail "the AppStream data has no release $version"
fi
# The MIME database built from the package's type alone maps *.tas to the snapshot type.
mkdir -p "$work/mime/packages"
cp "$share/mime/packages/varokin.xml" "$work/mime/packages/"
update-mime-database "$work/mime" >/dev/null 2>&1
grep -Eq '^[0-9]+:application/x-varokin-snapshot:\*\.tas$' "$work/mime/globs2" ||
  fail "*.tas is not application/x-varokin-snapshot"
for page in varokin varokin-console; do
  rendered=$(MANWIDTH=80 man --warnings -l "$share/man/man6/$page.6.gz" 2>"$work/man.txt")
  [ ! -s "$work/man.txt" ] || fail "man $page: $(cat "$work/man.txt")"
  grep -q -- '--ta-folder' <<<"$rendered" || fail "man $page does not name --ta-folder"
done
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$share/doc/varokin/copyright" || fail "the copyright file is not machine-readable"
echo "metadata valid: .desktop, AppStream, MIME type, man pages, copyright"

mkdir -p "$work/linux/config/varokin" && chmod 700 "$work/linux"
settings_text >"$work/linux/config/varokin/Varokin.INI"
bash "$make_demo" "$work/linux/ta" >/dev/null
settings_text >"$work/linux/ta/Varokin.INI"
run=(env XDG_CONFIG_HOME="$work/linux/config" XDG_RUNTIME_DIR="$work/linux" "$tree/usr/bin/varokin-console")
inis=("$work/linux/config/varokin/Varokin.INI" "$work/linux/ta/Varokin.INI")
short_switch "$work/linux/ta"
echo "the unpacked varokin-console switched a TC on the demo TA folder"

echo "== the Windows zip"
listed=$(unzip -Z1 "$zip" | LC_ALL=C sort)
[ "$listed" = "LICENSE.txt
README.txt
Varokin.exe
varokin-console.exe" ] || fail "the zip holds: $listed"
mkdir -p "$work/windows"
unzip -q "$zip" -d "$work/windows/varokin"
exe=$work/windows/varokin/Varokin.exe
# VERSIONINFO values are UTF-16 strings.
strings -el "$exe" | grep -Fqx "$version" || fail "Varokin.exe carries no version $version"
grep -Fq "Varokin $version" "$work/windows/varokin/README.txt" || fail "README.txt has no version"
grep -Fq "Getting back to the unmodified game" "$work/windows/varokin/README.txt" ||
  fail "README.txt does not say how to get back to the unmodified game"
grep -q $'\r$' "$work/windows/varokin/LICENSE.txt" || fail "LICENSE.txt has no Windows line ends"

export WINEPREFIX=$prefix WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
"$WINESERVER" -p
wineserver_up=1
"$WINE" cmd /c exit >/dev/null 2>&1 || true
console=$work/windows/varokin/varokin-console.exe
said=$(cd "$work/windows" && "$WINE" "$console" --version | tr -d '\r')
[ "$said" = "Varokin $version" ] || fail "varokin-console.exe --version said: $said"

# Wine takes %APPDATA% from the prefix's profile: the settings go there for the run, and what was
# there before comes back afterwards.
appdata=$("$WINE" winepath -u "$("$WINE" cmd /c echo %APPDATA% | tr -d '\r')" | tr -d '\r')
mkdir -p "$appdata/Varokin"
[ ! -e "$appdata/Varokin/Varokin.INI" ] || mv "$appdata/Varokin/Varokin.INI" "$work/saved.INI"
put_back_appdata() {
  rm -f -- "$appdata/Varokin/Varokin.INI"
  [ ! -e "$work/saved.INI" ] || mv "$work/saved.INI" "$appdata/Varokin/Varokin.INI"
}
restore_appdata=put_back_appdata
settings_text >"$appdata/Varokin/Varokin.INI"
bash "$make_demo" "$work/windows/ta" >/dev/null
settings_text >"$work/windows/ta/Varokin.INI"
run=("$WINE" "$console")
inis=("$appdata/Varokin/Varokin.INI" "$work/windows/ta/Varokin.INI")
short_switch "$work/windows/ta"
echo "the unzipped varokin-console.exe switched a TC on the demo TA folder under wine64"
echo "package tests passed"
