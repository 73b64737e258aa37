#!/usr/bin/env bash
# Builds Halvex's core and its two command-line tools for 64-bit Windows and proves them under
# Wine on this machine:
#   1. cross-builds them with mingw-w64 (cmake/mingw-w64.cmake), with the core's tests;
#   2. runs the core's tests under Wine;
#   3. runs halvex-convert.exe on the test data and checks that it writes the same bytes as the
#      Linux build, from files and through standard input and output;
#   4. runs halvex-transfer.exe downloads and uploads against halvex-station over a
#      pseudo-terminal that the Wine prefix maps to COM1, byte for byte as the Linux build, and
#      stops a download with Ctrl+C;
#   5. writes build/package/halvex-<version>-win64.zip.
# Every Windows program runs through scripts/wine-run.sh, which gives Wine no serial device of
# this machine. Needs root for that: CI runs as root; elsewhere it asks sudo. HALVEX_HOST_BUILD_DIR names a Linux build to take
# the simulator and the Linux converter from (default build/windows-host).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --windows

jobs=$(nproc)
host=${HALVEX_HOST_BUILD_DIR:-build/windows-host}
cross=build/windows
wine_dir=$PWD/$cross/wine
work=$cross/checks
version=$(sed -n 's/^project(Halvex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
SECONDS=0

fail() { echo "build-windows.sh: $*" >&2; exit 1; }
win() { bash scripts/wine-run.sh --dir "$wine_dir" "$@"; }
# A path under this folder as Windows programs under Wine name it.
winpath() { printf 'Z:%s' "$(realpath -m "$1")" | tr / '\\'; }

echo "== Linux build of the simulator, the converter and the loopback plug ($host) =="
if [ ! -f "$host/CMakeCache.txt" ]; then
  cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHALVEX_BUILD_GUI=OFF >/dev/null
fi
cmake --build "$host" -j"$jobs" --target halvex-convert halvex-station halvex-transfer \
  halvex-pty-loopback >/dev/null

echo "== cross build for Windows ($cross) =="
# -O2 as the Linux build; GCC 12 warns falsely about string copies at -O3 (-Wrestrict).
cmake -S . -B "$cross" --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DHALVEX_PTY_LOOPBACK="$PWD/$host/tests/halvex-pty-loopback" >/dev/null
cmake --build "$cross" -j"$jobs"
for exe in halvex-convert halvex-transfer; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$cross/tools/$exe.exe" | sed -n 's/^\tDLL Name: //p')
  for dll in $dlls; do
    case ${dll,,} in
      kernel32.dll | msvcrt.dll | shell32.dll | user32.dll | advapi32.dll) ;;
      *) fail "$exe.exe needs $dll, which is not part of Windows" ;;
    esac
  done
done

echo "== the core's tests under Wine =="
ctest --test-dir "$cross" --output-on-failure -j"$jobs" -LE layering

# The package first, so that every check below runs the programs it holds.
package=build/package/halvex-$version-win64
rm -rf "$package" "$package.zip"
mkdir -p "$package"
for exe in halvex-convert halvex-transfer; do
  x86_64-w64-mingw32-strip -o "$package/$exe.exe" "$cross/tools/$exe.exe"
done
sed 's/$/\r/' packaging/windows/README.txt >"$package/README.txt"
sed 's/$/\r/' LICENSE >"$package/LICENSE.txt"
convert_exe=$package/halvex-convert.exe
transfer_exe=$package/halvex-transfer.exe
[ "$(win "$convert_exe" --version | tr -d '\r')" = "halvex-convert $version" ] ||
  fail "halvex-convert.exe --version does not say $version"

echo "== halvex-convert.exe writes what the Linux build writes =="
rm -rf "$work" && mkdir -p "$work/in" "$work/linux" "$work/windows" "$work/launch"
cp tests/data/*.txt resources/examples/*.txt docs/point-plot-example.txt "$work/in/"
# A 30,000-point list, Dulmar lines, Brenno records, and every byte value in LF-only lines.
awk 'BEGIN { srand(7); for (i = 1; i <= 30000; i++)
  printf "P%d,C%d,%.3f,%.3f,%.3f\r\n", i, i % 40, 5000 + rand() * 3000, 2000 + rand() * 2000,
    100 + rand() * 50 }' >"$work/in/points-30000.txt"
awk 'BEGIN { srand(8); for (i = 1; i <= 500; i++)
  printf "D%d,%.3f,%.3f,%.3f,TREE\r\n", i, rand() * 900, rand() * 900, rand() * 9 }' \
  >"$work/in/dulmar.txt"
awk 'BEGIN { srand(9); for (i = 1; i <= 500; i++)
  printf "08TP01%-14s%16.3f%16.3f%16.3f%s\r\n", "PT" i, 1000 + rand() * 900,
    2000 + rand() * 900, rand() * 50, "CODE" i % 7 }' >"$work/in/brenno.txt"
LC_ALL=C awk 'BEGIN { for (line = 0; line < 8; line++) { for (b = 1; b < 256; b++)
  printf "%c", b; printf "\n" } }' >"$work/in/all-bytes.txt"
commands=(tamsel-cass brenno-cass brenno-nez dulmar-cass tamsel-pcode cass-dxf
  upload-tamsel-coordinate upload-brenno-coordinate upload-corvane-coordinate
  upload-tamsel-pcode upload-brenno-pcode upload-other-data)
# All Windows runs in one Wine start: a batch file for cmd.exe.
batch=$work/convert.cmd
exe=$(winpath "$convert_exe")
printf '@echo off\r\n' >"$batch"
for input in "$work"/in/*; do
  name=$(basename "$input" .txt)
  for command in "${commands[@]}"; do
    out=$name.$command
    status=0
    "$host/tools/halvex-convert" "$command" "$input" -o "$work/linux/$out.file" \
      2>"$work/linux/$out.err" || status=$?
    echo "$status" >"$work/linux/$out.status"
    "$host/tools/halvex-convert" "$command" <"$input" >"$work/linux/$out.piped" 2>/dev/null ||
      true
    printf '%s %s "%s" -o "%s" 2>"%s"\r\n>"%s" echo %%ERRORLEVEL%%\r\n' "$exe" "$command" \
      "$(winpath "$input")" "$(winpath "$work/windows/$out.file")" \
      "$(winpath "$work/windows/$out.err")" "$(winpath "$work/windows/$out.status")" >>"$batch"
    printf '%s %s <"%s" >"%s" 2>NUL\r\n>"%s" echo %%ERRORLEVEL%%\r\n' "$exe" "$command" \
      "$(winpath "$input")" "$(winpath "$work/windows/$out.piped")" \
      "$(winpath "$work/launch/$out.piped")" >>"$batch"
  done
done
printf 'exit /b 0\r\n' >>"$batch"
win cmd /c "$(winpath "$batch")"
# Under load Wine's cmd now and then cannot start a program at all (status 9009, "Can't
# recognize"): the program never ran, so that one conversion is run again on its own.
for status in "$work"/windows/*.status "$work"/launch/*.piped; do
  [ -e "$status" ] || fail "cmd did not run the batch file whole: no $status"
  [ "$(tr -d '\r ' <"$status")" = 9009 ] || continue
  out=$(basename "$status")
  out=${out%.*}
  command=${out##*.}
  input=$work/in/${out%.*}.txt
  echo "cmd could not start halvex-convert.exe for $out; running it again"
  code=0
  win "$convert_exe" "$command" "$input" -o "$work/windows/$out.file" \
    2>"$work/windows/$out.err" || code=$?
  echo "$code" >"$work/windows/$out.status"
  win "$convert_exe" "$command" <"$input" >"$work/windows/$out.piped" 2>/dev/null || true
done
[ "$(ls "$work/linux")" = "$(ls "$work/windows")" ] ||
  fail "halvex-convert.exe wrote other files than the Linux build"
for linux in "$work"/linux/*; do
  result=$(basename "$linux")
  windows=$work/windows/$result
  [ -e "$windows" ] || fail "halvex-convert.exe wrote no $result"
  if [[ $result == *.status ]]; then  # cmd writes "0\r\n"
    [ "$(tr -d '\r ' <"$windows")" = "$(cat "$linux")" ] || fail "the exit status differs: $result"
  else
    cmp -s "$linux" "$windows" || fail "halvex-convert.exe wrote other bytes: $result"
  fi
done
echo "$((${#commands[@]} * $(ls "$work/in" | wc -l))) conversions, each from a file and through" \
  "standard streams: output, messages and exit status as on Linux"

echo "== halvex-transfer.exe against halvex-station on COM1 =="
com1=$wine_dir/ports/com1
# Starts the simulator in the background on LINK, once the link is there.
station() {
  local link=$1; shift
  rm -f "$link"
  "$host/tools/halvex-station" "$@" --link "$link" --timeout 30000 >/dev/null \
    2>"$work/station.err" &
  station_pid=$!
  for _ in $(seq 200); do [ -L "$link" ] && return 0; sleep 0.05; done
  fail "halvex-station did not start: $(cat "$work/station.err")"
}
# The same transfer with the Linux build (over the link) and the Windows build (over COM1).
transfer() {
  local side=$1; shift
  if [ "$side" = linux ]; then
    "$host/tools/halvex-transfer" "$@" --device "$work/line" </dev/null 2>/dev/null
  else
    win "$transfer_exe" "$@" --port COM1 </dev/null 2>/dev/null
  fi
}
for side in linux windows; do
  link=$work/line
  [ $side = windows ] && link=$com1
  station "$link" download --family tamsel --protocol acknak resources/examples/tamsel-download.txt
  transfer $side download --family tamsel --protocol acknak -o "$work/$side/download.txt" ||
    fail "the $side download failed"
  wait "$station_pid" || fail "halvex-station: $(cat "$work/station.err")"
  station "$link" upload --family tamsel --protocol acknak --output "$work/$side/upload.got"
  transfer $side upload tamsel-coordinate resources/examples/tamsel-points.txt --protocol acknak \
    >"$work/$side/upload.echo" || fail "the $side upload failed"
  wait "$station_pid" || fail "halvex-station: $(cat "$work/station.err")"
done
for result in download.txt upload.got upload.echo; do
  [ -s "$work/linux/$result" ] || fail "the Linux build's $result is empty"
  cmp -s "$work/linux/$result" "$work/windows/$result" ||
    fail "halvex-transfer.exe's $result differs from the Linux build's"
done
echo "download and upload byte for byte as on Linux"

# Ctrl+C in a console: the terminal sends SIGINT to the program's process group, and Wine hands
# it to the program as a console control event.
for i in $(seq 100); do printf 'line %03d of the survey\n' "$i"; done >"$work/slow.txt"
station "$com1" download --family brenno --line-pause 150 "$work/slow.txt"
setsid bash scripts/wine-run.sh --dir "$wine_dir" "$transfer_exe" download --family brenno \
  --port COM1 --timeout 10 -o "$work/windows/stopped.txt" </dev/null 2>"$work/stopped.err" &
stopped_pid=$!
[ "$(ps -o pgid= -p "$stopped_pid" | tr -d ' ')" = "$stopped_pid" ] || fail "setsid made no group"
sleep 4
kill -INT -- "-$stopped_pid"
status=0
wait "$stopped_pid" || status=$?
kill "$station_pid" 2>/dev/null || true
wait "$station_pid" 2>/dev/null || true
[ $status -eq 130 ] || fail "a download stopped by Ctrl+C exited with $status, not 130"
grep -q "^Transfer stopped. [0-9]* lines were received." "$work/stopped.err" ||
  fail "no report of the stop: $(cat "$work/stopped.err")"
kept=$(stat -c %s "$work/windows/stopped.txt")
[ "$kept" -gt 0 ] && [ "$kept" -lt "$(stat -c %s "$work/slow.txt")" ] &&
  cmp -s -n "$kept" "$work/windows/stopped.txt" "$work/slow.txt" ||
  fail "the stopped download did not keep the lines that arrived"
echo "Ctrl+C stopped the download and kept $(grep -c '' "$work/windows/stopped.txt") lines"

echo "== speed: cass-dxf on 30,000 points, whole process (fastest of three) =="
TIMEFORMAT=%R
points=$work/in/points-30000.txt
fastest() {  # fastest COMMAND...: the shortest wall time of three runs, in seconds
  local best="" t
  for _ in 1 2 3; do
    t=$({ time "$@" >/dev/null 2>&1; } 2>&1)
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
  done
  echo "$best"
}
linux_s=$(fastest "$host/tools/halvex-convert" cass-dxf "$points" -o "$work/speed.dxf")
start_s=$(fastest win "$convert_exe" --version)
wine_s=$(fastest win "$convert_exe" cass-dxf "$points" -o "$work/speed.dxf")
echo "Linux build ${linux_s} s; Windows build under Wine ${wine_s} s, of which about ${start_s} s" \
  "are starting Wine and the program (--version)"

(cd build/package && cmake -E tar cf "$(basename "$package").zip" --format=zip \
  "$(basename "$package")")
echo "wrote $package.zip; all Windows checks done in ${SECONDS} s"
