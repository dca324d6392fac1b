#!/usr/bin/env bash
# Renders every window of the program, and every tab the main window has,
# offscreen to docs/pictures/*.png for the README (bench/shell/shell_gallery),
# and the Control Center after a heat-and-cool cycle, its chart shading the
# spans in alert (bench/monitor/monitor_gallery).
#   bash tools/pictures.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
make build BUILD="$build"
rm -f docs/pictures/*.png
mkdir -p docs/pictures
QT_QPA_PLATFORM=offscreen "$build/bench/shell/shell_gallery" docs/pictures 2>/dev/null
spans=$(mktemp -d)
trap 'rm -rf "$spans"' EXIT
QT_QPA_PLATFORM=offscreen "$build/bench/monitor/monitor_gallery" "$spans" >/dev/null 2>&1
cp "$spans/controlcenter.png" docs/pictures/control-center-alert-spans.png
