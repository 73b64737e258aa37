#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh built: its contents, its dependencies, the
# desktop entry (desktop-file-validate) and the package (lintian, no errors allowed). With CI set
# or HALVEX_CHECK_INSTALL=1 it also installs the package with apt-get, runs the installed
# programs on the installed example, and removes the package again, checking that nothing is
# left. That step changes the system, so it never touches a halvex package installed before.
set -euo pipefail
cd "$(dirname "$0")/.."

debs=(build/package/halvex_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "expected one build/package/halvex_*.deb; run bash scripts/package.sh first" >&2
  exit 1
fi
deb=$(realpath "${debs[0]}")
version=$(dpkg-deb -f "$deb" Version)
doc=/usr/share/doc/halvex
fail() { echo "package check failed: $*" >&2; exit 1; }

echo "-- contents of $(basename "$deb")"
listing=$(dpkg-deb -c "$deb" | awk '{print substr($6, 2)}')
for path in /usr/bin/halvex /usr/bin/halvex-convert /usr/bin/halvex-station \
    /usr/bin/halvex-transfer \
    /usr/share/applications/halvex.desktop /usr/share/icons/hicolor/48x48/apps/halvex.png \
    /usr/share/icons/hicolor/scalable/apps/halvex.svg /usr/share/man/man1/halvex.1.gz \
    /usr/share/man/man1/halvex-convert.1.gz /usr/share/man/man1/halvex-station.1.gz \
    /usr/share/man/man1/halvex-transfer.1.gz \
    $doc/README.md $doc/decisions.md $doc/copyright $doc/changelog.gz \
    $doc/examples/tamsel-download.txt $doc/examples/tamsel-points.txt; do
  grep -qxF "$path" <<<"$listing" || fail "$path is missing"
done
# Every file the README links to (a link that is not a web address) is shipped beside it.
for target in $(grep -oE '\]\([^)#]+\)' README.md | sed -E 's/^\]\((.*)\)$/\1/' | grep -v '://'); do
  grep -qxF "$doc/$target" <<<"$listing" || fail "README.md links to $target, which is not shipped"
done
# The dependencies come from the programs' libraries, so the C and Qt libraries must be there.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libqt6widgets6; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

echo "-- desktop-file-validate"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/halvex.desktop"

echo "-- lintian"
lintian --fail-on error --display-info "$deb"

if [ -z "${CI:-}" ] && [ "${HALVEX_CHECK_INSTALL:-0}" != 1 ]; then
  echo "-- install check skipped (it changes the system): set HALVEX_CHECK_INSTALL=1 to run it"
  exit 0
fi
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
if dpkg-query -W -f='${db:Status-Status}' halvex 2>/dev/null | grep -qv '^not-installed$'; then
  echo "-- install check skipped: a halvex package is installed already"
  exit 0
fi

echo "-- install, run, remove"
apt=("${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300)
trap 'rm -rf "$unpacked"; "${apt[@]}" purge halvex >/dev/null 2>&1 || true' EXIT
"${apt[@]}" install "$deb"
[ "$(halvex-convert --version)" = "halvex-convert $version" ] || fail "halvex-convert --version"
[ "$(halvex-transfer --version)" = "halvex-transfer $version" ] || fail "halvex-transfer --version"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY halvex --version)" = "halvex $version" ] ||
  fail "halvex --version"
halvex-convert tamsel-cass $doc/examples/tamsel-download.txt |
  cmp - $doc/examples/tamsel-points.txt || fail "tamsel-cass on the installed example"
"${apt[@]}" remove halvex
[ "$(dpkg-query -W -f='${db:Status-Status}' halvex 2>/dev/null || echo not-installed)" = \
  not-installed ] || fail "halvex is still known to dpkg after its removal"
[ ! -e $doc ] || fail "$doc is left after the removal"
while read -r path; do
  [ -d "$path" ] || [ ! -e "$path" ] || fail "$path is left after the removal"
done <<<"$listing"
echo "package check done"
