#!/usr/bin/env bash
# startup-ratio.sh [RUNS]
# Start-up to a shown window, measured against bare references on the same machine:
#   Varokin.exe under wine64 (stripped, as the Windows zip holds it) against a bare Win32 window
#   with a list box (also under wine64),
#   the Qt program against a bare Qt dialog with a list.
# Each program is started RUNS times (default 9) on a demo TA folder, in turn with its reference;
# the time is from starting the process to its window being viewable on the X server. Prints the
# medians, the fastest runs and their ratios.
# Needs the linux and windows builds (build/linux, build/windows); runs itself under Xvfb when
# there is no display. Override the programs with VAROKIN_EXE and VAROKIN_QT.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-9}
exe=${VAROKIN_EXE:-$root/build/windows/src/ui/win32/Varokin.exe}
qt=${VAROKIN_QT:-$root/build/linux/src/ui/qt/varokin}
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
MAIN="Varokin - by Quellan"

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
for program in "$exe" "$qt"; do
  [ -f "$program" ] || {
    echo "missing $program: build it first (cmake --build build/windows --target Varokin;" \
      "cmake --build build/linux --target varokin)" >&2
    exit 2
  }
done

tools=$root/build/startup-ratio
mkdir -p -- "$tools"
sources=$root/bench/startup
# The references and the probe, rebuilt when their sources change.
build() {
  local out=$1 source=$2
  shift 2
  [ "$tools/$out" -nt "$sources/$source" ] || "$@"
}
build probe shown_window_probe.c \
  gcc -O2 -Wall -Wextra -Werror -o "$tools/probe" "$sources/shown_window_probe.c" -lX11
build bare_win32_window.exe bare_win32_window.cpp \
  x86_64-w64-mingw32-g++-posix -O2 -static -mwindows -Wall -Wextra -Werror \
  -o "$tools/bare_win32_window.exe" "$sources/bare_win32_window.cpp"
# shellcheck disable=SC2046
build bare_qt_dialog bare_qt_dialog.cpp \
  g++ -O2 -fPIC -Wall -Wextra -Werror -o "$tools/bare_qt_dialog" "$sources/bare_qt_dialog.cpp" \
  $(pkg-config --cflags --libs Qt6Widgets)

work=$(mktemp -d)
export WINEPREFIX=$tools/wineprefix WINEDEBUG=-all
cleanup() {
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf -- "$work"
}
trap cleanup EXIT

# A demo TA folder, with settings that ask nothing at start-up, for each program.
ta=$work/ta
bash "$root/scripts/make-demo-ta.sh" "$ta" >/dev/null
settings() {
  mkdir -p -- "$1"
  printf '%s\r\n' '[Varokin]' 'First Use=0' 'Configure ICQ=0' 'Compile Monolithic=0' \
    '[Previous Settings]' 'SelectedTab=0' >"$1/Varokin.INI"
}
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 -- "$XDG_RUNTIME_DIR"
settings "$XDG_CONFIG_HOME/varokin"

# One wineserver for every run, as on a desktop where Wine is already running.
mkdir -p -- "$WINEPREFIX"
"$WINESERVER" -p
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null
appdata=$("$WINE" winepath -u "$("$WINE" cmd /c echo %APPDATA% | tr -d '\r')" | tr -d '\r')
settings "$appdata/Varokin"
# Stripped, as the Windows zip holds it.
x86_64-w64-mingw32-strip -o "$ta/Varokin.exe" "$exe" 2>/dev/null || cp -- "$exe" "$ta/Varokin.exe"
cp -- "$tools/bare_win32_window.exe" "$ta/bare_win32_window.exe"

# startup TITLE PROGRAM...: the ms of one start-up.
startup() {
  local title=$1
  shift
  (cd "$ta" && "$tools/probe" "$title" "$@")
  # Let the instance lock and Wine's process of the run before be gone.
  sleep 0.3
}

# summary TIME...: "MEDIAN FASTEST". On a busy machine the fastest run is the steadier figure.
summary() {
  printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
    print ((NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[1] }'
}

# pair TITLE_A TITLE_B: RUNS start-ups of the program in the array a and of that in b, taken in
# turn so that load on the machine falls on both alike, after one unmeasured warm-up of each.
# Sets a_times and b_times to "MEDIAN FASTEST".
pair() {
  local title_a=$1 title_b=$2 i
  local -a times_a=() times_b=()
  startup "$title_a" "${a[@]}" >/dev/null
  startup "$title_b" "${b[@]}" >/dev/null
  for ((i = 0; i < runs; i++)); do
    times_a+=("$(startup "$title_a" "${a[@]}")")
    times_b+=("$(startup "$title_b" "${b[@]}")")
  done
  a_times=$(summary "${times_a[@]}")
  b_times=$(summary "${times_b[@]}")
}

a=("$WINE" bare_win32_window.exe)
b=("$WINE" Varokin.exe)
pair "Bare Window" "$MAIN"
read -r bare_win32 bare_win32_min <<<"$a_times"
read -r varokin_exe varokin_exe_min <<<"$b_times"
a=("$tools/bare_qt_dialog")
b=("$qt")
pair "Bare Dialog" "$MAIN"
read -r bare_qt bare_qt_min <<<"$a_times"
read -r varokin_qt varokin_qt_min <<<"$b_times"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
row() { printf '%-28s %8.1f ms %8.1f ms' "$1" "$2" "$3"; }
echo "$runs runs each; ms from starting the process to its window shown on the X server"
printf '%-28s %11s %11s\n' "" "median" "fastest"
row "bare Win32 window (wine64)" "$bare_win32" "$bare_win32_min"
echo
row "Varokin.exe (wine64)" "$varokin_exe" "$varokin_exe_min"
echo "   ratio $(ratio "$varokin_exe" "$bare_win32") (fastest $(ratio "$varokin_exe_min" "$bare_win32_min"))"
row "bare Qt dialog" "$bare_qt" "$bare_qt_min"
echo
row "varokin (Qt)" "$varokin_qt" "$varokin_qt_min"
echo "   ratio $(ratio "$varokin_qt" "$bare_qt") (fastest $(ratio "$varokin_qt_min" "$bare_qt_min"))"
