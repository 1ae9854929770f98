#!/usr/bin/env bash
# win32_gui_test.sh VAROKIN_EXE DRIVER_EXE MAKE_DEMO_TA SCREENSHOT_DIR WINEPREFIX [NATIVE_CONSOLE]
# Runs Varokin.exe under Wine on a copy of the demo TA folder and works it through its real
# windows: switches a Total Conversion, answers a question, visits every tab, opens the
# multiplayer window and the UFO pack dialog, and closes with "Close". Fails on the first thing
# that does not happen. Run it inside an X server (xvfb-run); screenshots go to SCREENSHOT_DIR.
# With the native console of the linux build, also checks that it sees Varokin.exe's switch
# without a word and is refused while Varokin.exe runs on the folder.
set -euo pipefail

[ $# -eq 5 ] || [ $# -eq 6 ] || {
  echo "usage: $0 VAROKIN_EXE DRIVER_EXE MAKE_DEMO_TA SCREENSHOT_DIR WINEPREFIX [NATIVE_CONSOLE]" >&2
  exit 2
}
exe=$1 driver=$2 make_demo=$3 shots=$4 native=${6:-}
[ -z "$native" ] || [ -x "$native" ] || {
  echo "no native console at $native: the checks beside it are left out"
  native=
}
export WINEPREFIX=$5 WINEDEBUG=-all
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
MAIN="Varokin - by Quellan"

work=$(mktemp -d)
app_pid=
cleanup() {
  [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf -- "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -z "${ini:-}" ] || { echo "--- $ini:" && tr -d '\r' <"$ini"; } >&2 || true
  shot "failure"
  exit 1
}
drive() { "$WINE" "$driver" "$@" | tr -d '\r'; }
# shot NAME: the window of that title (or the whole screen) as SCREENSHOT_DIR/NAME.png.
shot() {
  local id geometry
  id=$(xdotool search --name "^${2:-$MAIN}\$" 2>/dev/null | head -n 1 || true)
  if [ -n "$id" ] && geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null); then
    eval "$geometry"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/$1.png"
  else
    import -window root "$shots/$1.png"
  fi
}
# until_true SECONDS COMMAND...: polls COMMAND every 0.2 s.
until_true() {
  local tries=$(($1 * 5))
  shift
  while ! "$@" 2>/dev/null; do
    tries=$((tries - 1))
    [ $tries -gt 0 ] || return 1
    sleep 0.2
  done
}
# geometry TITLE: "X Y WIDTH HEIGHT" of the window of that title, as X places it.
geometry() {
  local id
  id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ] || return 1
  xdotool getwindowgeometry --shell "$id" |
    awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
}
# centred OUTER INNER: the rectangle INNER ("X Y WIDTH HEIGHT") has the centre of OUTER, to a
# pixel either way.
centred() {
  local ox oy ow oh ix iy iw ih dx dy
  read -r ox oy ow oh <<<"$1"
  read -r ix iy iw ih <<<"$2"
  dx=$((2 * ix + iw - 2 * ox - ow)) dy=$((2 * iy + ih - 2 * oy - oh))
  [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ]
}
size_is() { [ "$(stat -c %s -- "$1" 2>/dev/null)" = "$2" ]; }
ini_has() { tr -d '\r' <"$ini" | grep -Fqx -- "$1"; }

mkdir -p -- "$shots"
rm -f -- "$shots"/*.png

# Wine draws the window frames itself: Xvfb has no window manager.
mkdir -p -- "$WINEPREFIX"
"$WINESERVER" -p
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null
# The symbol font of their buttons is Wine's own, which some Wine installations do not find.
marlett=/usr/share/wine/fonts/marlett.ttf
[ ! -f "$marlett" ] || cp -f -- "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"

ta=$work/ta
bash "$make_demo" "$ta" >/dev/null
cp -- "$exe" "$ta/Varokin.exe"
# A collection of the size players gather: 150 Mutators and 400 kept UFOs, one of them with a name
# longer than its list is wide.
for ((n = 0; n < 150; n++)); do
  name=Heavy
  [ $((n % 10)) -ne 0 ] || name=Fast
  : >"$ta/Varokin/}{$name$n.ccx"
  printf '%s\r\n' "$(printf '%s %03d' $name $n)" d '*' 0 >"$ta/Varokin/}{$name$n.vkn"
done
for ((n = 0; n < 400; n++)); do
  : >"$ta/Varokin/UfoManager/$(printf 'Plane %03d' $n).ufo"
done
long="Krogoth Mark Two, the Experimental Walker of the Northern Front, rebuilt for the winter wars"
: >"$ta/Varokin/UfoManager/$long.ufo"
printf '%s\r\n' Krogoth 'A walker taller than the trees.' >"$ta/Varokin/UfoManager/$long.txt"
# The settings live in the TA folder, beside TotalA.exe.
ini=$ta/Varokin.INI
printf '%s\r\n' '[Varokin]' 'First Use=0' 'Configure ICQ=0' 'Compile Monolithic=0' \
  '[Previous Settings]' 'SelectedTab=0' >"$ini"

# start ARGS...: Varokin.exe started from the TA folder, as a user or ICQ would.
start() { (cd "$ta" && exec "$WINE" Varokin.exe "$@") & }
ended() { ! kill -0 "$1" 2>/dev/null; }

# The main window's size and place are the user's, kept in the per-user folder of this prefix.
find "$WINEPREFIX/drive_c/users" -path '*/Varokin/window' -delete 2>/dev/null || true
start
app_pid=$!
drive wait "$MAIN" 60 || fail "the main window did not open"
drive nobox Varokin 1 || fail "a message at start-up"
until_true 10 xdotool search --name "^$MAIN\$" >/dev/null || fail "X has no window \"$MAIN\""
screen="0 0 $(xdotool getdisplaygeometry)"
main_at=$(geometry "$MAIN") || fail "no geometry for the main window"
centred "$screen" "$main_at" || fail "the main window ($main_at) is not centred on $screen"
[ "$(drive focus "$MAIN")" = 1012 ] || fail "the focus starts on $(drive focus "$MAIN"), not the tabs"

# A larger window gives its lists the room; the buttons keep their size. It cannot be made
# smaller than it opened.
read -r width height <<<"$(drive size "$MAIN")"
read -r list_width list_height <<<"$(drive size "$MAIN" 1008)"
launch_size=$(drive size "$MAIN" 1007)
drive resize "$MAIN" $((width + 200)) $((height + 150)) || fail "the main window cannot be resized"
[ "$(drive size "$MAIN" 1008)" = "$((list_width + 200)) $((list_height + 105))" ] ||
  fail "the TC list did not grow: $(drive size "$MAIN" 1008), was $list_width $list_height"
[ "$(drive size "$MAIN" 1007)" = "$launch_size" ] || fail "\"Launch TA\" changed its size"
grown="$((width + 200)) $((height + 150))"
[ "$(drive size "$MAIN")" = "$grown" ] || fail "the main window is $(drive size "$MAIN"), not $grown"
main_at=$(geometry "$MAIN") || fail "no geometry for the resized main window"
echo "resized: the lists grew, the buttons kept their size"

# A Total Conversion picked in its list moves its files in and is remembered.
drive select "$MAIN" 1008 "Ashen Frontier" || fail "no Ashen Frontier row"
until_true 20 size_is "$ta/totala1.hpi" 28114409 || fail "the TC's totala1.hpi was not moved in"
size_is "$ta/totala1.###" 32311035 || fail "the game's totala1.hpi was not kept as totala1.###"
[ -e "$ta/]ashmaps.ufo" ] && [ ! -e "$ta/Varokin/AshenFrontier/ashmaps.ufo" ] ||
  fail "ashmaps.ufo was not moved in"
until_true 5 ini_has 'TC=][AshenFrontier.tc' || fail "Varokin.INI does not remember the TC"
[ "$(drive text "$MAIN" 1039)" = "Ashen Frontier" ] || fail "\"Current TC:\" does not name it"
echo "TC switched: files moved, Varokin.INI remembers it"
shot main-total-conversions

# An AI made for another TC: the program asks, and "Yes" keeps it out.
drive select "$MAIN" 1003 "Tidemind" || fail "no Tidemind row"
until_true 20 drive disabled "$MAIN" || fail "the main window is not disabled by a question"
question=$(drive answer Varokin 6 20) || fail "no compatibility question"
echo "asked: $question"
case $question in
  *"does not claim to be compatible"*) ;;
  *) fail "unexpected question: $question" ;;
esac
drive gone Varokin 10 || fail "the question stayed open"
[ -e "$ta/Varokin/^^Tidemind(1)" ] || fail "Tidemind was loaded after all"

for tab in mutators ais units; do
  drive key "$MAIN" 1012 right || fail "no tab control"
  sleep 1
  shot "main-$tab"
done

# The filter shows the UFOs whose names hold its text, in a list laid over the whole one; a click
# there switches that UFO, and the rows it hides keep their selection.
drive type "$MAIN" 1060 "sTORM" || fail "no filter box"
[ "$(drive rows "$MAIN" $((1013 + 0x4000)))" = "Stormfront" ] ||
  fail "the filter shows: $(drive rows "$MAIN" $((1013 + 0x4000)))"
drive select "$MAIN" $((1013 + 0x4000)) "Stormfront" || fail "no Stormfront row under the filter"
until_true 20 test -e "$ta/Stormfront.ufo" || fail "Stormfront was not switched on"
[ -e "$ta/Bulwark.ufo" ] && [ -e "$ta/Varokin/UfoManager/Ironclad.ufo" ] ||
  fail "the filter changed what else is switched on"
shot main-filtered
drive type "$MAIN" 1060 "" || fail "the filter cannot be cleared"
echo "filtered: a click on a shown row switched that UFO only"

# The mouse on a name its list cuts shows the whole name and the description in a tooltip.
read -r x y <<<"$(drive spot "$MAIN" 1013 "$long")" || fail "no row for the long name"
xdotool mousemove "$x" "$y" && xdotool mousemove_relative 2 0
until_true 5 drive tip "$MAIN" >/dev/null || fail "no tooltip over the cut name"
[ "$(drive tip "$MAIN")" = "$long"$'\nKrogoth\nA walker taller than the trees.' ] ||
  fail "the tooltip shows: $(drive tip "$MAIN")"
echo "cut name: its tooltip shows it whole"

# Ctrl+Tab and Ctrl+Shift+Tab change tabs, round the end.
drive ctrl "$MAIN" tab || fail "no keys typed"
until_true 5 test "$(drive tab "$MAIN" 1012)" = 0 || fail "Ctrl+Tab shows tab $(drive tab "$MAIN" 1012)"
drive ctrl "$MAIN" shift+tab || fail "no keys typed"
until_true 5 test "$(drive tab "$MAIN" 1012)" = 3 ||
  fail "Ctrl+Shift+Tab shows tab $(drive tab "$MAIN" 1012)"
echo "Ctrl+Tab and Ctrl+Shift+Tab changed tabs"

# visit COMMAND TITLE SHOT CLOSING_BUTTON: opens a window from the main window, takes its picture
# and closes it with that button.
visit() {
  drive command "$MAIN" "$1"
  drive wait "$2" 20 || fail "\"$2\" did not open"
  sleep 1
  shot "$3" "$2"
  local at
  at=$(geometry "$2") || fail "no geometry for \"$2\""
  centred "$main_at" "$at" || fail "\"$2\" ($at) is not centred over the main window ($main_at)"
  drive command "$2" "$4"
  drive gone "$2" 10 || fail "button $4 did not close \"$2\""
}
visit 1043 "Varokin: Multiplayer" multiplayer 2
visit 32797 "Make a UFO Pack" ufo-pack 2
visit 32790 "About Varokin" about 1

drive command "$MAIN" 1
drive gone "$MAIN" 20 || fail "\"Close\" did not close the main window"
until_true 20 ended $app_pid || fail "Varokin.exe did not end"
app_pid=
ini_has 'SelectedTab=3' || fail "the Units tab was not saved on Close"
echo "closed with the Units tab saved; screenshots in $shots"

# on_native INPUT: the native console's output on the same TA folder.
on_native() { (cd "$ta" && printf '%b' "$1" | XDG_CONFIG_HOME=$work/config "$native"); }
if [ -n "$native" ]; then
  said=$(on_native 'press 1\n') || fail "the native console did not start: $said"
  [ -z "$said" ] || fail "the native console said, after Varokin.exe's switch: $said"
  echo "the native console saw Varokin.exe's switch without a word"
fi

# Started by ICQ with -host: the multiplayer window opens by itself, shortly after the main window.
start -host
app_pid=$!
drive wait "$MAIN" 60 || fail "the main window did not open with -host"
[ "$(drive size "$MAIN")" = "$grown" ] || fail "the main window came back at $(drive size "$MAIN")"
drive wait "Varokin: Hosting..." 20 || fail "-host did not open the hosting window"
# A second -host while this one hosts ends without a word; a plain second start is refused.
start -host
second=$!
until_true 30 ended $second || fail "a second -host start did not end"
drive nobox Varokin 1 || fail "a second -host start said something"
start
second=$!
refusal=$(drive answer Varokin 1 30) || fail "a second start was not refused"
[ "$refusal" = "You can only have one instance of Varokin running at a time." ] ||
  fail "unexpected refusal: $refusal"
until_true 30 ended $second || fail "the refused second start did not end"
if [ -n "$native" ]; then
  said=$(on_native '') || true
  [ "$said" = $'<<< OK\nYou can only have one instance of Varokin running at a time.\n>>>' ] ||
    fail "the native console beside Varokin.exe: $said"
  echo "the native console was refused beside Varokin.exe"
fi
drive command "Varokin: Hosting..." 2
drive gone "Varokin: Hosting..." 10 || fail "Cancel did not close the hosting window"
drive close "$MAIN"
until_true 20 ended $app_pid || fail "the close box did not end Varokin.exe"
app_pid=
echo "-host opened the hosting window; second starts ended as they should"

# --version has no console to print to: it is a message box, and the program ends when it is
# answered, without a main window.
start --version
app_pid=$!
version=$(drive answer Varokin 1 30) || fail "--version showed no message box"
[[ "$version" =~ ^Varokin\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "unexpected --version text: $version"
until_true 30 ended $app_pid || fail "Varokin.exe --version did not end"
app_pid=
echo "--version answered in a message box: $version"
