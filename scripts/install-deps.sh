#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Halvex need. Does nothing when
# they are all present already, so it is cheap to call before every build.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libqscintilla2-qt6-dev libgl-dev
  qt6-serialport-dev qt6-svg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libx11-dev fonts-dejavu-core desktop-file-utils
  locales
  scdoc
  python3 python3-ezdxf
  libcli11-dev
)

# Building and checking the Debian package (scripts/package.sh) needs a few more tools; the
# Windows build (scripts/build-windows.sh) the mingw-w64 cross compiler and Wine.
case "${1:-}" in
  --packaging) packages+=(dpkg-dev file lintian) ;;
  --windows) packages+=(g++-mingw-w64-x86-64-posix wine wine64 util-linux) ;;
esac

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

# The number tests switch to a locale whose decimal mark is a comma, to show that reading and
# writing numbers ignore the locale; make one when the system has none.
ensure_comma_locale() {
  locale -a 2>/dev/null | grep -qiE '^de_DE\.utf-?8$' && return 0
  command -v localedef >/dev/null || return 0
  "${as_root[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "warning: could not make de_DE.UTF-8"
}

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  ensure_comma_locale
  exit 0
fi

echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
ensure_comma_locale
