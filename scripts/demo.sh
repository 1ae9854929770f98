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
