#!/usr/bin/env bash
# Renders every window of the program, and every tab the main window has,
# offscreen to docs/pictures/*.png for the README (bench/shell/shell_gallery),
# and in German to docs/pictures/de/*.png; and the Control Center after a
# heat-and-cool cycle, its chart shading the spans in alert
# (bench/monitor/monitor_gallery).
#   bash tools/pictures.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
make build BUILD="$build"
rm -f docs/pictures/*.png docs/pictures/de/*.png
mkdir -p docs/pictures/de
QT_QPA_PLATFORM=offscreen "$build/bench/shell/shell_gallery" docs/pictures en 2>/dev/null
QT_QPA_PLATFORM=offscreen "$build/bench/shell/shell_gallery" docs/pictures/de de 2>/dev/null
spans=$(mktemp -d)
trap 'rm -rf "$spans"' EXIT
QT_QPA_PLATFORM=offscreen "$build/bench/monitor/monitor_gallery" "$spans" >/dev/null 2>&1
cp "$spans/controlcenter.png" docs/pictures/control-center-alert-spans.png
