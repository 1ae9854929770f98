#!/usr/bin/env bash
# check_demo_ta.sh MAKE_DEMO_TA_SCRIPT
# Runs the demo TA folder script into a fresh temporary folder and checks what a player trying
# Varokin depends on: the game's files pass the installation check, every configuration file's
# payloads are where the switching expects them, the folder costs no real disk, and the script
# writes nothing outside its folder and refuses a folder that is not empty.
set -uo pipefail

script=${1:?usage: check_demo_ta.sh MAKE_DEMO_TA_SCRIPT}
sandbox=$(mktemp -d "${TMPDIR:-/tmp}/varokin-demo-check.XXXXXX") || exit 1
trap 'rm -rf -- "$sandbox"' EXIT
ta="$sandbox/ta"
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

bash "$script" "$ta" >/dev/null || fail "the script failed on a new folder"
[ "$(ls -A "$sandbox")" = ta ] || fail "the script wrote beside its folder: $(ls -A "$sandbox")"

# The game's files, by exact size and the executable's signature bytes.
expect_size() {
  local size
  size=$(stat -c %s -- "$ta/$1" 2>/dev/null) || size=missing
  [ "$size" = "$2" ] || fail "$1 is $size bytes, not $2"
}
expect_size totala.exe 1178624
expect_size totala1.hpi 32311035
expect_size ccdata.hpi 25871597
expect_size btdata.hpi 23248392
expect_size rev31.ufo 5481280
bytes_at() { od -v -A n -t x1 -j "$2" -N "$3" -- "$ta/$1" | tr -d ' \n'; }
[ "$(bytes_at totala.exe 1052364 16)" = 72657625732e47503300000033310000 ] ||
  fail "totala.exe has the wrong bytes at 1052364: $(bytes_at totala.exe 1052364 16)"
[ "$(bytes_at totala.exe 1054644 8)" = 76332e3100000000 ] ||
  fail "totala.exe has the wrong bytes at 1054644: $(bytes_at totala.exe 1054644 8)"
[ "$(bytes_at totala.exe 0 1052364 | tr -d 0)" = "" ] || fail "totala.exe has bytes before its signature"
used=$(du -sk -- "$ta" | cut -f1)
[ "$used" -lt 4096 ] || fail "the demo takes $used KiB of disk; its big files should be sparse"

for d in Varokin/UfoManager Varokin/Snapshots; do
  [ -d "$ta/$d" ] || fail "no folder $d"
done

# line FILE N: line N without its CR.
line() { sed -n "$2{s/\r\$//;p;q}" -- "$1"; }
stored() { [ -e "$ta/Varokin/${1//\\//}" ] || fail "$2 names $1, which is not in Varokin"; }

for f in "$ta"/Varokin/*; do
  case $f in *.tc | *.vkn | *.ai) ;; *) continue ;; esac
  name=$(basename -- "$f")
  [ -n "$(line "$f" 1)" ] || fail "$name has no title"
  [ "$(line "$f" 1 | wc -c)" -le 64 ] || fail "$name has a title longer than 63 characters"
  [ -n "$(line "$f" 3)" ] || fail "$name has no tag line"
  grep -qv $'\r$' -- "$f" && fail "$name has a line that does not end with CR LF"
done

tcs=0 replaces_base=0 own_exe=0 folders=0
for f in "$ta"/Varokin/']['*.tc; do
  tcs=$((tcs + 1))
  name=$(basename -- "$f")
  pairs=0
  while read -r from to _; do
    to=${to%$'\r'}
    [ -n "$to" ] || break
    pairs=$((pairs + 1))
    stored "$from" "$name"
    [ "$to" = totala1.hpi ] && replaces_base=1
    [ "$to" = "${name%tc}exe" ] && own_exe=1
    [ -d "$ta/Varokin/${from//\\//}" ] && folders=$((folders + 1))
  done < <(tail -n +4 -- "$f")
  [ "$pairs" -gt 0 ] || fail "$name has no rename pairs"
done
[ "$tcs" -eq 3 ] || fail "$tcs Total Conversions instead of 3"
[ "$replaces_base" -eq 1 ] || fail "no Total Conversion replaces totala1.hpi"
[ "$own_exe" -eq 1 ] || fail "no Total Conversion brings its own executable"
[ "$folders" -ge 2 ] || fail "no Total Conversion with several folders"

mutators=0 numbered=0
for f in "$ta"/Varokin/'}{'*.vkn; do
  mutators=$((mutators + 1))
  name=$(basename -- "$f")
  stem=${name%.vkn}
  count=$(line "$f" 4)
  stored "$stem.ccx" "$name"
  for ((k = 1; k <= count; k++)); do stored "$stem($k).ccx" "$name"; done
  [ "$count" -gt 0 ] && numbered=1
done
[ "$mutators" -ge 3 ] || fail "only $mutators Mutators"
[ "$numbered" -eq 1 ] || fail "no Mutator with numbered payloads"

tc_tags=" $(for f in "$ta"/Varokin/']['*.tc; do line "$f" 3; done | tr '\n' ' ') "
any_tc=0 one_tc=0
for f in "$ta"/Varokin/'^^'*.ai; do
  name=$(basename -- "$f")
  k=0
  while read -r word _; do
    word=${word%$'\r'}
    [ -n "$word" ] || break
    k=$((k + 1))
    stored "${name%.ai}($k)" "$name"
  done < <(tail -n +4 -- "$f")
  [ "$k" -gt 0 ] || fail "$name has no payload"
  tags=$(line "$f" 3)
  [ "$tags" = "*" ] && any_tc=1
  [[ $tags != *" "* && $tc_tags == *" $tags "* ]] && one_tc=1
done
[ "$any_tc" -eq 1 ] || fail "no AI works with every Total Conversion"
[ "$one_tc" -eq 1 ] || fail "no AI works with a single Total Conversion only"

enabled=$(find "$ta" -maxdepth 1 -name '*.ufo' ! -iname rev31.ufo | wc -l)
kept=$(find "$ta/Varokin/UfoManager" -maxdepth 1 -name '*.ufo' | wc -l)
[ "$enabled" -ge 3 ] && [ "$kept" -ge 3 ] && [ $((enabled + kept)) -ge 10 ] ||
  fail "UFOs: $enabled enabled and $kept kept"
grep -lq '^@' "$ta"/Varokin/UfoManager/*.txt || fail "no UFO description with a tag line"

packs=0
for f in "$ta"/Varokin/UfoManager/*.pac; do
  packs=$((packs + 1))
  while IFS= read -r ufo; do
    ufo=${ufo%$'\r'}
    [ -n "$ufo" ] || break
    [ -e "$ta/$ufo.ufo" ] || [ -e "$ta/Varokin/UfoManager/$ufo.ufo" ] ||
      fail "$(basename -- "$f") names $ufo, which is no UFO"
  done < <(tail -n +3 -- "$f")
done
[ "$packs" -eq 1 ] || fail "$packs UFO packs instead of 1"

# A second run into the same folder changes nothing.
listing() { (cd -- "$ta" && find . -printf '%p %s\n' | sort); }
before=$(listing)
bash "$script" "$ta" >/dev/null 2>&1 && fail "the script did not refuse a folder that is not empty"
[ "$(listing)" = "$before" ] || fail "a refused run changed the folder"
touch "$sandbox/plain-file"
bash "$script" "$sandbox/plain-file" >/dev/null 2>&1 && fail "the script accepted a file as its folder"

[ "$failures" -eq 0 ] && echo "demo TA folder: all checks passed"
exit $((failures > 0))
