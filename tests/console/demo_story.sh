#!/usr/bin/env bash
# demo_story.sh CONSOLE MAKE_DEMO_TA [WINEPREFIX]
# The whole story on the demo TA folder, through varokin-console as a user would type it: switch a
# Total Conversion, two Mutators, an AI and a UFO pack, take a snapshot and close; start again,
# disable everything, restore the snapshot, close. Every file must end where the snapshot found
# it. With WINEPREFIX, CONSOLE is the Windows build, run under wine64.
set -euo pipefail

[ $# -ge 2 ] || {
  echo "usage: $0 CONSOLE MAKE_DEMO_TA [WINEPREFIX]" >&2
  exit 2
}
console=$1 make_demo=$2
work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT
ta=$work/ta
bash "$make_demo" "$ta" >/dev/null
chmod 700 "$work"
# The settings live in the TA folder, for the native program and the Windows one alike.
settings=$ta/Varokin.INI
printf '%s\r\n' '[Varokin]' 'First Use=0' 'Configure ICQ=0' 'Compile Monolithic=0' >"$settings"

if [ $# -ge 3 ]; then
  export WINEPREFIX=$3 WINEDEBUG=-all
  wine=/usr/lib/wine/wine64
  run() { (cd "$ta" && "$wine" "$console" | tr -d '\r'); }
else
  export XDG_CONFIG_HOME=$work/config
  run() { (cd "$ta" && "$console"); }
fi

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# The game's and the mods' files; the settings and the instance marker are the program's own.
inventory() {
  (cd "$ta" && find . -type f ! -name Varokin.INI ! -name Varokin.lock -printf '%P %s\n' |
    LC_ALL=C sort)
}
setting() { tr -d '\r' <"$settings" | grep -Fx -- "$1" >/dev/null || fail "settings lack $1"; }

before=$(inventory)
# The rows are those of the demo folder's sorted lists; the "no" lines answer the compatibility
# questions of a Mutator and an AI that do not name the TC's tag (load them anyway).
run >"$work/first.txt" <<'STORY'
tab 0
click 1008 1
tab 1
click 1001 0
click 1001 1
no
tab 2
click 1003 1
no
tab 3
click 1010 0
menu 32792
Varokin\Snapshots\story.tas
press 1
STORY
switched=$(inventory)
[ "$switched" != "$before" ] || fail "the switches moved no file"
[ -f "$ta/Varokin/Snapshots/story.tas" ] || fail "no snapshot was written"
setting 'TC=][AshenFrontier.tc'
setting 'AI=^^Bastion.ai'
setting 'Mutator 0=}{HeavyPlating.vkn'
setting 'Mutator 1=}{LongShot.vkn'

run >"$work/second.txt" <<'STORY'
press 1014
menu 32793
Varokin\Snapshots\story.tas
no
no
show 1039
press 1
STORY
grep -Fx 'Ashen Frontier' "$work/second.txt" >/dev/null || fail "the TC label after the restore"
grep -F 'error:' "$work/first.txt" "$work/second.txt" && fail "a command was refused"
restored=$(inventory)
if [ "$restored" != "$switched" ]; then
  diff <(echo "$switched") <(echo "$restored") >&2 || true
  fail "the restore left files elsewhere than the snapshot found them"
fi
setting 'TC=][AshenFrontier.tc'
setting 'AI=^^Bastion.ai'
echo "demo story: $(echo "$restored" | wc -l) files where the snapshot found them"
