# Shared by the scripts in this folder: where the project is, and installing what it needs.
set -euo pipefail
VAROKIN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

# Installs the Debian packages given that are not installed yet.
need_packages() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

NATIVE_PACKAGES=(cmake make g++ googletest libgtest-dev libbenchmark-dev clang-format qt6-base-dev
  qt6-qpa-plugins)
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 wine64 fonts-wine xvfb xauth xdotool x11-apps imagemagick)
# Making the packages and checking them (scripts/package.sh, tests/packaging).
PACKAGE_PACKAGES=(dpkg-dev file lintian desktop-file-utils appstream shared-mime-info man-db unzip
  binutils)

# configure_and_build PRESET [extra cmake arguments]
configure_and_build() {
  local preset=$1
  shift
  cmake --preset "$preset" -S "$VAROKIN_ROOT" "$@" >/dev/null
  cmake --build --preset "$preset"
}

# Runs the Windows test programs under wine64 with one wineserver for the whole run.
run_windows_tests() {
  local prefix="$VAROKIN_ROOT/build/windows/wineprefix"
  mkdir -p "$prefix"
  export WINEPREFIX="$prefix" WINEDEBUG=-all
  "$WINESERVER" -p
  "$WINE64" cmd /c exit >/dev/null 2>&1 || true
  local status=0
  ctest --preset windows || status=$?
  "$WINESERVER" -k || true
  return $status
}
