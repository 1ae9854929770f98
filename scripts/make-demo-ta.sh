#!/usr/bin/env bash
# make-demo-ta.sh DIR
# Lays down a demo Total Annihilation folder in DIR to try Varokin without the game: the game's
# files at their exact sizes (sparse, so they take next to no disk), the Varokin folders, three
# Total Conversions, Mutators, AIs, UFOs and a UFO pack. DIR must be new or empty; nothing is
# written outside it.
set -euo pipefail

me=$(basename "$0")
die() {
  echo "$me: $*" >&2
  exit 1
}

[ $# -eq 1 ] && [ -n "$1" ] || {
  echo "usage: $me DIR" >&2
  exit 2
}
if [ -e "$1" ] && [ ! -d "$1" ]; then
  die "$1 exists and is not a folder"
fi
if [ -d "$1" ] && [ -n "$(ls -A -- "$1")" ]; then
  die "$1 is not empty; give a new or empty folder (nothing was written)"
fi
mkdir -p -- "$1"
ROOT=$(cd -- "$1" && pwd -P)

# Every write goes through here: REPLY becomes the host path of a path relative to DIR, written
# with "\" or "/" between folders. Absolute paths and "." or ".." components are refused.
place() {
  local rel=${1//\\//}
  case "/$rel/" in
    //* | */../* | */./*) die "refusing to write outside $ROOT: $1" ;;
  esac
  REPLY="$ROOT/$rel"
  mkdir -p -- "$(dirname -- "$REPLY")"
}

# sparse PATH SIZE: a file of SIZE bytes that reads as zeros and costs no disk.
sparse() {
  place "$1"
  truncate -s "$2" -- "$REPLY"
}

# text PATH LINE...: a text file with CR LF line ends, as the mods' authors write them.
text() {
  place "$1"
  shift
  printf '%s\r\n' "$@" >"$REPLY"
}

folder() {
  place "$1"
  mkdir -p -- "$REPLY"
}

# poke PATH OFFSET: writes standard input into the file at OFFSET without truncating it.
poke() {
  place "$1"
  dd of="$REPLY" bs=1 seek="$2" conv=notrunc status=none
}

# The game, version 3.1 with both expansions.
sparse totala.exe 1178624
printf 'rev%%s.GP3\000\000\000%s\000\000' 31 | poke totala.exe 1052364
printf 'v3.1\000\000\000\000' | poke totala.exe 1054644
sparse totala1.hpi 32311035
sparse ccdata.hpi 25871597
sparse btdata.hpi 23248392
sparse rev31.ufo 5481280
folder Varokin/UfoManager
folder Varokin/Snapshots

# Total Conversions: title, description ("##" is a line break), tags, then rename pairs
# "stored (in Varokin) installed (in the TA folder)".
sparse 'Varokin/AshenFrontier/totala1.hpi' 28114409
sparse 'Varokin/AshenFrontier/ashmaps.ufo' 3407872
text 'Varokin/][AshenFrontier.tc' \
  'Ashen Frontier' \
  'Arm and Core fight over the last habitable plateaus of a burning world.##Replaces the base archive totala1.hpi; the original is kept aside while Ashen Frontier is active.' \
  'ASHEN' \
  'AshenFrontier\totala1.hpi totala1.hpi' \
  'AshenFrontier\ashmaps.ufo ]ashmaps.ufo'

sparse 'Varokin/IronTide/][IronTide.exe' 1302528
sparse 'Varokin/IronTide/tidedata.hpi' 17825792
text 'Varokin/][IronTide.tc' \
  'Iron Tide' \
  'Naval warfare on a drowned Earth: floating factories, hover fleets and tidal weapons.##Brings its own game executable, started instead of TotalA.exe.' \
  'IRONTIDE' \
  'IronTide\][IronTide.exe ][IronTide.exe' \
  'IronTide\tidedata.hpi tidedata.hpi'

for sub in units unitpics objects3d scripts gamedata; do
  folder "Varokin/GalacticDawn/$sub"
done
sparse 'Varokin/GalacticDawn/units/GDFIGHTR.FBI' 2148
sparse 'Varokin/GalacticDawn/units/GDCRUISR.FBI' 2391
sparse 'Varokin/GalacticDawn/unitpics/GDFIGHTR.PCX' 7412
sparse 'Varokin/GalacticDawn/objects3d/GDFIGHTR.3DO' 40960
sparse 'Varokin/GalacticDawn/scripts/GDFIGHTR.COB' 3320
sparse 'Varokin/GalacticDawn/gamedata/WEAPONS.TDF' 18230
text 'Varokin/][GalacticDawn.tc' \
  'Galactic Dawn' \
  'The war leaves the planet: star fighters, orbital cruisers and moon bases.##Installs its units, pictures, models, scripts and game data as loose folders.' \
  'GDAWN' \
  'GalacticDawn\units units' \
  'GalacticDawn\unitpics unitpics' \
  'GalacticDawn\objects3d objects3d' \
  'GalacticDawn\scripts scripts' \
  'GalacticDawn\gamedata gamedata'

# Mutators: line 4 is the number of numbered payloads beside }{Name.ccx.
mutator() {
  local name=$1 title=$2 description=$3 tags=$4 count=$5 k
  sparse "Varokin/}{$name.ccx" 65536
  for ((k = 1; k <= count; k++)); do
    sparse "Varokin/}{$name($k).ccx" $((k * 24576))
  done
  text "Varokin/}{$name.vkn" "$title" "$description" "$tags" "$count"
}
mutator RapidAssembly 'Rapid Assembly' 'Construction units and factories build half again as fast.' '*' 0
mutator HeavyPlating 'Heavy Plating' 'Every tank and walker gets thicker armour and a little less speed.##Balanced for long games.' 'OTA TACC ASHEN' 2
mutator LongShot 'Long Shot Artillery' 'Artillery and missile towers reach a third further.' 'OTA TACC' 1
mutator TidalWeapons 'Tidal Weapons' 'Wave cannons and depth charges for the Iron Tide fleets.' 'IRONTIDE' 3

# AIs: line 4 onward name what each payload Varokin\^^Name(k) becomes in the TA folder.
text 'Varokin/^^Warlord.ai' \
  'Warlord AI' \
  'An aggressive AI that expands fast and attacks early.##Works with every Total Conversion.' \
  '*' \
  'ai' \
  '^warlord.ufo'
text 'Varokin/^^Warlord(1)/EASY.TXT' '[AI]' '{' 'Aggression=3;' '}'
text 'Varokin/^^Warlord(1)/HARD.TXT' '[AI]' '{' 'Aggression=9;' '}'
sparse 'Varokin/^^Warlord(2)' 212992

text 'Varokin/^^Tidemind.ai' \
  'Tidemind' \
  'Knows the Iron Tide fleets and builds them well.' \
  'IRONTIDE' \
  'ai'
text 'Varokin/^^Tidemind(1)/HARD.TXT' '[AI]' '{' 'Naval=1;' '}'

text 'Varokin/^^Bastion.ai' \
  'Bastion Defensive AI' \
  'Turtles behind walls and long-range guns, for the original game.' \
  'OTA TACC' \
  'ai'
text 'Varokin/^^Bastion(1)/MEDIUM.TXT' '[AI]' '{' 'Defense=8;' '}'

# UFOs: enabled ones lie in the TA folder, kept ones in Varokin\UfoManager. A description file
# may start with an "@" line of the tags the UFO works with.
ufo() {
  local where=$1 name=$2 size=$3
  shift 3
  case $where in
    enabled) sparse "$name.ufo" "$size" ;;
    kept) sparse "Varokin/UfoManager/$name.ufo" "$size" ;;
  esac
  [ $# -eq 0 ] || text "Varokin/UfoManager/$name.txt" "$@"
}
ufo enabled Bulwark 188416 '@OTA TACC' 'Bulwark' 'A slow Core assault walker with a plasma battery.'
ufo enabled Skyreaper 143360 'Skyreaper' 'Arm gunship that shreds light vehicles.'
ufo enabled Thunderhawk 165888
ufo enabled 'Magma Spire' 98304 '@ASHEN' 'Magma Spire' 'Ashen Frontier defence tower that lobs molten rock.'
ufo enabled Phalanx 120832 'Phalanx' 'Arm flak tank.' 'Fires while moving.'
ufo kept 'Obsidian Walker' 245760 '@OTA TACC ASHEN' 'Obsidian Walker' 'Heavy Core walker, slow and nearly unbreakable.'
ufo kept Tidecaller 176128 '@IRONTIDE' 'Tidecaller' 'Iron Tide battleship with a wave cannon.'
ufo kept Ironclad 200704 'Ironclad' 'Armoured Arm tank.'
ufo kept SentinelArray 90112
ufo kept VortexLancer 131072 '@GDAWN' 'Vortex Lancer' 'Galactic Dawn lance fighter.'
ufo kept QuarryDrone 61440 'Quarry Drone' 'A cheap metal harvester for both sides.'
ufo kept Stormfront 155648

text 'Varokin/UfoManager/Heavy Metal.pac' \
  'Heavy Metal' \
  'Walkers and armour for long games.##Bulwark, Ironclad and the Obsidian Walker.' \
  'Bulwark' \
  'Ironclad' \
  'Obsidian Walker'

echo "Demo TA folder made in $ROOT"
