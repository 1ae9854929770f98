#!/usr/bin/env bash
# one_folder.sh NATIVE_CONSOLE WINDOWS_CONSOLE MAKE_DEMO_TA WINEPREFIX
# The native console and the Windows build under wine64 on one demo TA folder: a switch made by
# one is seen by the other at its next start with no message, and while one runs on the folder
# the other is refused. Skipped (77) when the native build is not there.
set -uo pipefail

[ $# -eq 4 ] || {
  echo "usage: $0 NATIVE_CONSOLE WINDOWS_CONSOLE MAKE_DEMO_TA WINEPREFIX" >&2
  exit 2
}
native=$1 windows=$2 make_demo=$3
[ -x "$native" ] || {
  echo "no native console at $native: build the linux preset first"
  exit 77
}
export WINEPREFIX=$4 WINEDEBUG=-all
wine=/usr/lib/wine/wine64
work=$(mktemp -d)
trap 'exec 3>&- 2>/dev/null; wait; rm -rf -- "$work"' EXIT
ta=$work/ta
bash "$make_demo" "$ta" >/dev/null
export XDG_CONFIG_HOME=$work/config
printf '%s\r\n' '[Varokin]' 'First Use=0' 'Configure ICQ=0' 'Compile Monolithic=0' >"$ta/Varokin.INI"
refused=$'<<< OK\nYou can only have one instance of Varokin running at a time.\n>>>'

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
on_native() { (cd "$ta" && "$native"); }
on_windows() { (cd "$ta" && "$wine" "$windows" | tr -d '\r'); }
# Starts one of the two on the folder, held open until `release`.
hold() {
  rm -f "$work/in" && mkfifo "$work/in"
  (cd "$ta" && "$@" <"$work/in" >"$work/held.txt") &
  exec 3>"$work/in"
}
# The other's output once it is refused, trying again while the held one may still be starting.
refused_beside() {
  local out
  for _ in $(seq 20); do
    out=$(printf '' | "$@")
    [ "$out" = "$refused" ] && break
    sleep 0.5
  done
  echo "$out"
}
release() {
  echo 'press 1' >&3
  exec 3>&-
  wait
}

# A TC switched on natively; the Windows build starts on it with nothing to say, switches it off.
out=$(printf 'tab 0\nclick 1008 1\npress 1\n' | on_native) || fail "native switch: $out"
[ -z "$out" ] || fail "native switch said: $out"
out=$(printf 'tab 0\nclick 1008 0\npress 1\n' | on_windows) || fail "windows switch: $out"
[ -z "$out" ] || fail "windows start said: $out"
tr -d '\r' <"$ta/Varokin.INI" | grep -Fx 'TC=none' >/dev/null || fail "the switch off is not in Varokin.INI"
out=$(printf 'press 1\n' | on_native)
[ -z "$out" ] || fail "native start after the windows switch said: $out"

hold "$native"
out=$(refused_beside on_windows)
release
[ "$out" = "$refused" ] || fail "windows beside native: $out"

hold "$wine" "$windows"
out=$(refused_beside on_native)
release
[ "$out" = "$refused" ] || fail "native beside windows: $out"
echo "one folder: each build saw the other's switch and was refused beside it"
