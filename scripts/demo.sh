#!/usr/bin/env bash
# Builds Varokin and makes a demo TA folder in demo/ta, with its own settings folder in
# demo/config so that your real settings are never touched.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

need_packages "${NATIVE_PACKAGES[@]}"
cd "$VAROKIN_ROOT"
configure_and_build linux

demo="$VAROKIN_ROOT/demo"
if [ ! -d "$demo/ta" ]; then
  bash "$VAROKIN_ROOT/scripts/make-demo-ta.sh" "$demo/ta"
fi
mkdir -p "$demo/config"
echo "Demo TA folder: $demo/ta"
echo "Settings folder: $demo/config (XDG_CONFIG_HOME=$demo/config)"

# The console front end on the demo folder; see "varokin-console" in the README for its commands.
console="$VAROKIN_ROOT/build/linux/src/ui/console/varokin-console"
if [ -t 0 ]; then
  echo "Starting varokin-console in the demo folder (type 'show', 'tab 0', 'click 1008 1', 'press 1')."
  cd "$demo/ta" && XDG_CONFIG_HOME="$demo/config" exec "$console"
else
  echo "Run it with: cd $demo/ta && XDG_CONFIG_HOME=$demo/config $console"
fi
