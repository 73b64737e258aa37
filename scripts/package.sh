#!/usr/bin/env bash
# Builds the Debian package: installs what building it needs, builds Halvex in Release with
# Debian's hardening flags, and runs CPack's DEB generator. Writes
# build/package/halvex_<version>_<arch>.deb; scripts/check-package.sh checks it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --packaging

# The same sources give the same package: dates in it (manual pages, changelog) are those of the
# last commit unless SOURCE_DATE_EPOCH says otherwise.
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && git rev-parse --git-dir >/dev/null 2>&1; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  export SOURCE_DATE_EPOCH
fi

# Every hardening feature Debian offers (fortified functions, stack protector, PIE, full RELRO).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
build=build/package-build
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DHALVEX_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j"$(nproc)"

rm -rf "$build/cpack"
(cd "$build" && cpack -G DEB -B "$PWD/cpack")
mkdir -p build/package
rm -f build/package/halvex_*.deb
cp "$build"/cpack/halvex_*.deb build/package/
ls build/package/halvex_*.deb
