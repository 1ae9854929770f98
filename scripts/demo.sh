#!/usr/bin/env bash
# Builds Varokin and makes a demo TA folder in demo/ta (its settings, Varokin.INI, live in it), with
# its own per-user folder in demo/config (XDG_CONFIG_HOME) so that your real list of TA folders is
# never touched. With a display it
# opens the desktop program on the folder; without one it runs a short scripted tour through
# varokin-console and prints what happened.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

need_packages "${NATIVE_PACKAGES[@]}"
cd "$VAROKIN_ROOT"
configure_and_build linux

demo="$VAROKIN_ROOT/demo"
if [ ! -d "$demo/ta" ]; then
  bash "$VAROKIN_ROOT/scripts/make-demo-ta.sh" "$demo/ta"
fi
# The first-use question is answered and the offer to compile the game's archives declined, so
# the demo starts straight away.
settings="$demo/ta/Varokin.INI"
if [ ! -f "$settings" ]; then
  mkdir -p "$(dirname "$settings")"
  printf '[Varokin]\r\nFirst Use=0\r\nCompile Monolithic=0\r\n' >"$settings"
fi
export XDG_CONFIG_HOME="$demo/config"
echo "Demo TA folder: $demo/ta"
echo "Settings: $settings"

build="$VAROKIN_ROOT/build/linux/src/ui"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$build/qt/varokin" ]; then
  echo "Opening varokin on the demo folder."
  cd "$demo/ta" && exec "$build/qt/varokin"
fi

# No display: the same program as text. Each command is shown before its output.
echo "No display found: a tour of varokin-console on the demo folder instead."
tour=("show 1008" "tab 0" "click 1008 1" "show 1039" "press 1")
printf '> %s\n' "${tour[@]}"
echo "---"
cd "$demo/ta"
printf '%s\n' "${tour[@]}" | "$build/console/varokin-console"
echo "---"
echo "The Total Conversion's files are now in the TA folder:"
ls -l totala1.hpi ']ashmaps.ufo' 2>/dev/null || true
echo "and the settings remember it:"
grep -a -e '^TC=' -e '^SelectedTab=' "$settings" | tr -d '\r'
echo "Try it yourself: cd $demo/ta && XDG_CONFIG_HOME=$demo/config $build/console/varokin-console"
