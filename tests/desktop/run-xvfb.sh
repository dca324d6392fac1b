#!/usr/bin/env bash
# make test-desktop: the program in a real X window, driven as a person does.
#
# Starts Xvfb with a small window manager (openbox) and the program on the
# simulated board, then with xdotool: a key on the splash opens the wizard;
# Return walks the welcome and medium panels, the search and the results;
# Finish opens the main window, centred, with the window class its desktop
# entry names; on the "Control Center" the remote high limit is lowered on
# its gauge below the remote temperature, the alert check is switched on, and
# the alert lamp must turn red and stay red (probed by its pixels); Ctrl+Q
# ends the program with status 0. Every step must happen within a few
# seconds. Offscreen tests cannot see which window has the keyboard, nor
# what real timers do; this one can. Screenshots of every step go to
# BUILD/desktop/ (and failed-*.png on a failure).
#
# Usage: run-xvfb.sh [BUILD_DIR]
# Exit: 0 when every step happened, or "SKIP: ..." where Xvfb cannot start
# or its packages cannot be had; 1 on a step that did not happen.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
out=$build/desktop
program=$build/ort310eval
step_limit=${ORT310_STEP_SECONDS:-5}
packages=(xvfb xauth openbox xdotool imagemagick x11-utils)

skip() {
    echo "SKIP: test-desktop: $*"
    exit 0
}
[[ -x $program ]] || { echo "test-desktop: $program is missing; run make build"; exit 1; }
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.log

. "$here/../../tools/packages.sh"
ensure_packages test-desktop "${packages[@]}" || skip "could not install ${packages[*]}"

# ---- the display, the window manager and the program; all ended on exit
xvfb_pid= wm_pid= program_pid=
finish() {
    for pid in $program_pid $wm_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
}
trap finish EXIT

exec 3>"$out/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 50); do
    [[ -s $out/display ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
[[ -s $out/display ]] || skip "Xvfb could not start ($(tail -n 1 "$out/xvfb.log"))"
export DISPLAY=:$(cat "$out/display")
unset WAYLAND_DISPLAY

openbox --sm-disable >"$out/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    { echo "test-desktop: FAILED: openbox did not start"; cat "$out/openbox.log"; exit 1; }

QT_QPA_PLATFORM=xcb ORT310_BUS=sim "$program" >"$out/program.log" 2>&1 &
program_pid=$!

# ---- steps
step=0
shot() { import -window root "$out/$1.png" 2>/dev/null || true; }
fail() {
    shot "failed-$step"
    echo "test-desktop: FAILED at step $step: $*"
    echo "---- program output"
    cat "$out/program.log"
    exit 1
}
begin() {
    step=$((step + 1))
    echo "test-desktop: step $step: $*"
}
# poll CONDITION...: runs the command until it succeeds, for step_limit seconds.
poll() {
    local deadline=$((SECONDS + step_limit))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        kill -0 "$program_pid" 2>/dev/null || return 1
        sleep 0.1
    done
}
visible() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
shown() { [[ -n $(visible "$1") ]]; }
gone() { [[ -z $(visible "$1") ]]; }
active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
# How many pixels of the picture PNG are exactly the colour COLOUR.
pixels() {
    convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:round(mean*w*h)]' info:
}
# The alert lamp is the only pure red (255, 0, 0) of the main window, and
# the only pure green when it shows no alert.
lamp_red() {
    local red green
    import -window "$1" "$out/probe.png" 2>/dev/null || return 1
    red=$(pixels "$out/probe.png" "rgb(255,0,0)") && green=$(pixels "$out/probe.png" "rgb(0,255,0)") || return 1
    ((red > 1000 && green == 0))
}
# The window's picture differs from the one saved as NAME.png.
changed() {
    import -window "$1" "$out/now.png" 2>/dev/null || return 1
    ! compare -metric AE "$out/now.png" "$out/$2.png" null: 2>/dev/null
}
# Read whole before it is looked at: grep -q would stop reading the large
# property early, and pipefail would count xprop's broken pipe as a failure.
has_icon() {
    local icon
    icon=$(xprop -id "$1" _NET_WM_ICON 2>/dev/null) && [[ $icon == *"Icon ("* ]]
}

splash_name="ORT310 Evaluation Software"
wizard_name="ORT310 Search Wizard"
main_name="Velmora - ORT310 Evaluation Software"

begin "the splash is shown and has the keyboard"
poll shown "$splash_name" || fail "no window \"$splash_name\""
splash=$(visible "$splash_name")
poll active "$splash" || fail "the splash did not get the keyboard (active: $(xdotool getactivewindow getwindowname 2>&1))"
has_icon "$splash" || fail "the splash has no icon"
shot 1-splash

begin "a key on the splash opens the wizard"
xdotool key a
poll shown "$wizard_name" || fail "no window \"$wizard_name\" after a key"
wizard=$(visible "$wizard_name")
poll gone "$splash_name" || fail "the splash stayed"
poll active "$wizard" || fail "the wizard did not get the keyboard"
has_icon "$wizard" || fail "the wizard has no icon"
sleep 0.3   # let it finish painting before the reference picture
import -window "$wizard" "$out/2-welcome.png"

begin "Return on the welcome panel: the medium panel"
xdotool key Return
poll changed "$wizard" 2-welcome || fail "Return did not move the wizard on"
sleep 0.3
import -window "$wizard" "$out/3-medium.png"

begin "Return on the medium panel: the search, then its results"
xdotool key Return
poll changed "$wizard" 3-medium || fail "Return did not start the search"
sleep 0.5
import -window "$wizard" "$out/4-results.png"
shown "$wizard_name" || fail "the wizard went away before Finish"

begin "Return on the results: Finish opens the main window"
xdotool key Return
poll shown "$main_name" || fail "no window \"$main_name\" after Return on the results"
main=$(visible "$main_name")
poll gone "$wizard_name" || fail "the wizard stayed"
poll active "$main" || fail "the main window did not get the keyboard"
has_icon "$main" || fail "the main window has no icon"
sleep 0.3
shot 5-main

begin "the main window is centred on its own size and has its desktop entry's class"
read -r x w < <(xdotool getwindowgeometry "$main" |
    awk '/Position/ { split($2, p, ","); x = p[1] } /Geometry/ { split($2, g, "x"); w = g[1] } END { print x, w }')
screen_w=$(xdotool getdisplaygeometry | cut -d' ' -f1)
centre=$(((screen_w - w) / 2))
# The window manager's frame puts the contents a few pixels in.
((x >= centre && x <= centre + 10)) || fail "left edge $x for a width of $w; centred it is $centre"
class=$(xprop -id "$main" WM_CLASS | sed 's/.*", "\(.*\)"$/\1/')
wanted=$(sed -n 's/^StartupWMClass=//p' "$build"/data/*.desktop)
[[ -n $wanted && $class == "$wanted" ]] || fail "window class \"$class\", desktop entry StartupWMClass \"$wanted\""

begin "a remote high limit lowered on its gauge: the lamp turns red and stays red"
xdotool key ctrl+Tab ctrl+Tab
sleep 0.5
import -window "$main" "$out/6-control-center.png"
# LGauge1, the remote gauge, is the upper one; its high pointer is drawn in
# rgb(220,40,40). A click on it gives it the keyboard without moving it.
box=$(convert "$out/6-control-center.png" -fill black +opaque "rgb(220,40,40)" -fill white -opaque "rgb(220,40,40)" \
    -format '%@' info:)
[[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || fail "no limit gauge pointer on the Control Center ($box)"
xdotool mousemove --window "$main" $((BASH_REMATCH[3] + BASH_REMATCH[1] / 2)) $((BASH_REMATCH[4] + 3)) click 1
# Eleven steps of 10 C down from +127 C: +17 C, under the simulated remote
# diode's 20 to 100 C.
for _ in $(seq 11); do xdotool key Next; done
# Back along the focus chain to the alert check (LGauge2, Text1,
# MakeLog_CMD, Command2, alert_button), and switch it on.
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
# The chip flags the limit at its next conversion, 4 s apart at power-on.
step_limit=10 poll lamp_red "$main" || fail "the lamp did not turn red"
shot 7-alert
# Probed for at least 2 s (SECONDS counts whole seconds).
held=$SECONDS probes=0
while ((SECONDS - held < 3)); do
    lamp_red "$main" || fail "the lamp went out after $((SECONDS - held)) s while the temperature is above the limit"
    probes=$((probes + 1))
done
((probes >= 5)) || fail "the lamp was probed only $probes times"

begin "Ctrl+Q ends the program with status 0"
xdotool key ctrl+q
deadline=$((SECONDS + step_limit))
while kill -0 "$program_pid" 2>/dev/null && ((SECONDS < deadline)); do
    sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "the program still runs after Ctrl+Q"
status=0
wait "$program_pid" || status=$?
program_pid=
((status == 0)) || fail "the program ended with status $status"
rm -f "$out/now.png" "$out/probe.png"
echo "test-desktop: passed, $step steps (pictures in $out)"
