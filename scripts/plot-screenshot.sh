#!/usr/bin/env bash
# Makes docs/point-plot.png, the README's picture of the point plot, with the program itself:
# the example point list is opened, "Point Plot" is chosen and the plot saves itself as PNG.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$(nproc)" --target halvex-plot-snapshot
build/release/tools/halvex-plot-snapshot docs/point-plot-example.txt docs/point-plot.png 720 520
echo "wrote docs/point-plot.png"
