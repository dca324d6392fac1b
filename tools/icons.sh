#!/usr/bin/env bash
# Renders the program's icon from its artwork (gui/artwork.cpp, through
# QPainter): data/icons/ort310eval.svg and data/icons/N.png for the hicolor
# sizes. The pictures are committed; run this after changing the artwork.
#   bash tools/icons.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
# Qt's SVG module is needed only here.
bash tools/packages.sh icons qt6-svg-dev
make build BUILD="$build"
# The renderer is configured only where the SVG module was found.
[[ -x $build/bench/gui/render_icons ]] || cmake "$build" >/dev/null
cmake --build "$build" --target render_icons -j 2
QT_QPA_PLATFORM=offscreen "$build/bench/gui/render_icons" data/icons
