#!/usr/bin/env bash
# make test-desktop: the program in a real X window, driven as a person does.
#
# Starts Xvfb with a small window manager (openbox) and the program on the
# simulated board, then with xdotool: Ctrl+B on the splash opens the bus
# console and leaves the keyboard with the splash; a key opens the wizard;
# Return walks the welcome and medium panels, the search and the results;
# Finish opens the main window, centred, with the window class its desktop
# entry names; on the "Control Center" the remote high limit is lowered on
# its gauge below the remote temperature, the alert check is switched on, and
# the alert lamp must turn red and stay red (probed by its pixels), and the
# desktop is told once (a notification service of the test's own records
# the calls on a session bus of its own); the limit raised again, the lamp
# turns green and the desktop is told once more; with the alert check off
# and the limit lowered again, the desktop is told nothing; Ctrl+Q ends the
# program with status 0. The program's settings go to a folder of the
# test's own, so that it starts from the defaults, centred. Where the AT-SPI packages can be had, a
# screen reader's view is checked on the way (atspi-walk.py): no unnamed
# control on the splash, the wizard's panels and the main window's pages, the
# "Toggle" action of "Continuous Reading" runs its handler, and the lamp's
# alert is announced. Every step must happen within a few
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
recorder=$build/tests/support/notification-recorder
step_limit=${ORT310_STEP_SECONDS:-5}
packages=(xvfb xauth openbox xdotool imagemagick x11-utils dbus)

skip() {
    echo "SKIP: test-desktop: $*"
    exit 0
}
[[ -x $program && -x $recorder ]] || { echo "test-desktop: $program or $recorder is missing; run make build"; exit 1; }
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.log
rm -rf "$out/config"
export XDG_CONFIG_HOME=$out/config
# The texts it looks for are the English ones.
export LANGUAGE=en
# Never the desktop session this script was started from.
unset DBUS_SESSION_BUS_ADDRESS

. "$here/../../tools/packages.sh"
ensure_packages test-desktop "${packages[@]}" || skip "could not install ${packages[*]}"
atspi_packages=(python3-pyatspi at-spi2-core dbus-x11)
atspi=1
ensure_packages test-desktop "${atspi_packages[@]}" ||
    { atspi=; echo "SKIP: test-desktop: AT-SPI checks: could not install ${atspi_packages[*]}"; }

# ---- the display, the window manager and the program; all ended on exit
xvfb_pid= wm_pid= program_pid= DBUS_SESSION_BUS_PID= announce_pid= recorder_pid=
finish() {
    for pid in $announce_pid $program_pid $recorder_pid $wm_pid $DBUS_SESSION_BUS_PID $xvfb_pid; do
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

# A session bus of its own, on which the accessibility bus is started on demand.
if [[ -n $atspi ]]; then
    if session=$(dbus-launch --sh-syntax 2>"$out/dbus.log"); then
        eval "$session"
        export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    else
        atspi=
        echo "SKIP: test-desktop: AT-SPI checks: no session bus ($(tail -n 1 "$out/dbus.log"))"
    fi
fi

# Else a session bus of the test's own for the notifications, and on it a
# notification service that writes each call as a line "<urgency> <summary>".
if [[ -z ${DBUS_SESSION_BUS_ADDRESS:-} ]]; then
    { read -r DBUS_SESSION_BUS_ADDRESS && read -r DBUS_SESSION_BUS_PID; } < <(dbus-daemon --session --fork \
        --print-address=1 --print-pid=1 2>"$out/dbus.log") ||
        { echo "test-desktop: FAILED: no session bus ($(tail -n 1 "$out/dbus.log"))"; exit 1; }
    export DBUS_SESSION_BUS_ADDRESS
fi
notified="$out/notifications.log"
: >"$notified"
"$recorder" "$notified" >"$out/recorder.log" 2>&1 &
recorder_pid=$!
for _ in $(seq 50); do
    grep -q ready "$out/recorder.log" && break
    sleep 0.1
done
grep -q ready "$out/recorder.log" || { echo "test-desktop: FAILED: the notification recorder did not start"; cat "$out/recorder.log"; exit 1; }

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
# atspi_check CHECK...: atspi-walk.py, where the AT-SPI checks run at all.
atspi_check() {
    [[ -n $atspi ]] || return 0
    local rc=0
    /usr/bin/python3 "$here/atspi-walk.py" "$@" || rc=$?
    if ((rc == 77)); then
        echo "SKIP: test-desktop: AT-SPI checks: the program is not on the accessibility bus"
        atspi=
        return 0
    fi
    return $rc
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
lamp_green() {
    local red green
    import -window "$1" "$out/probe.png" 2>/dev/null || return 1
    red=$(pixels "$out/probe.png" "rgb(255,0,0)") && green=$(pixels "$out/probe.png" "rgb(0,255,0)") || return 1
    ((green > 1000 && red == 0))
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
console_name="ORT310 Evaluation Software - Bus Console"

begin "the splash is shown and has the keyboard"
poll shown "$splash_name" || fail "no window \"$splash_name\""
splash=$(visible "$splash_name")
poll active "$splash" || fail "the splash did not get the keyboard (active: $(xdotool getactivewindow getwindowname 2>&1))"
has_icon "$splash" || fail "the splash has no icon"
shot 1-splash
atspi_check walk "$splash_name" || fail "the splash as AT-SPI shows it"

begin "Ctrl+B on the splash opens the bus console; the splash keeps the keyboard"
xdotool key ctrl+b
poll shown "$console_name" || fail "no window \"$console_name\" after Ctrl+B"
sleep 0.3
active "$splash" || fail "the console took the keyboard from the splash"
shown "$wizard_name" && fail "Ctrl+B opened the wizard"
shot 1-console

begin "a key on the splash opens the wizard"
xdotool key a
poll shown "$wizard_name" || fail "no window \"$wizard_name\" after a key"
wizard=$(visible "$wizard_name")
poll gone "$splash_name" || fail "the splash stayed"
poll active "$wizard" || fail "the wizard did not get the keyboard"
has_icon "$wizard" || fail "the wizard has no icon"
sleep 0.3   # let it finish painting before the reference picture
import -window "$wizard" "$out/2-welcome.png"
atspi_check walk "$wizard_name" || fail "the welcome panel as AT-SPI shows it"

begin "Return on the welcome panel: the medium panel"
xdotool key Return
poll changed "$wizard" 2-welcome || fail "Return did not move the wizard on"
sleep 0.3
import -window "$wizard" "$out/3-medium.png"
atspi_check walk "$wizard_name" || fail "the medium panel as AT-SPI shows it"

begin "Return on the medium panel: the search, then its results"
xdotool key Return
poll changed "$wizard" 3-medium || fail "Return did not start the search"
sleep 0.5
import -window "$wizard" "$out/4-results.png"
shown "$wizard_name" || fail "the wizard went away before Finish"
atspi_check walk "$wizard_name" || fail "the results as AT-SPI show them"

begin "Return on the results: Finish opens the main window"
xdotool key Return
poll shown "$main_name" || fail "no window \"$main_name\" after Return on the results"
main=$(visible "$main_name")
poll gone "$wizard_name" || fail "the wizard stayed"
poll active "$main" || fail "the main window did not get the keyboard"
has_icon "$main" || fail "the main window has no icon"
sleep 0.3
shot 5-main
atspi_check walk "$main_name" || fail "the main window's pages as AT-SPI show them"
poll active "$main" || fail "the main window lost the keyboard"

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
if [[ -n $atspi ]]; then
    /usr/bin/python3 "$here/atspi-walk.py" announce "Alert Detected" 20 >"$out/announce.log" 2>&1 &
    announce_pid=$!
    poll grep -q listening "$out/announce.log" || fail "the AT-SPI listener did not start"
fi
# Back along the focus chain to the alert check (Text1, MakeLog_CMD,
# Command2, alert_button; the lower gauge LGauge2 comes after the upper
# one), and switch it on.
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab space
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
poll grep -qx "2 ORT310: Alert Detected" "$notified" || fail "the desktop was not told of the alert ($(cat "$notified"))"
if [[ -n $announce_pid ]]; then
    rc=0
    wait "$announce_pid" || rc=$?
    announce_pid=
    cat "$out/announce.log"
    ((rc == 0 || rc == 77)) || fail "the alert was not announced over AT-SPI"
fi

begin "the limit raised again: the lamp turns green, and the desktop is told once of each change"
# Forward along the chain from the alert check to the remote gauge, whose
# high pointer is still the one picked; up by 110 C to +127 C.
xdotool key Tab Tab Tab Tab
for _ in $(seq 11); do xdotool key Prior; done
step_limit=10 poll lamp_green "$main" || fail "the lamp did not turn green"
shot 8-no-alert
# The end is told once the lamp has stayed green ten seconds.
step_limit=20 poll grep -qx "1 ORT310: No Alert Detected" "$notified" || fail "the desktop was not told that the alert ended"
[[ $(cat "$notified") == $'2 ORT310: Alert Detected\n1 ORT310: No Alert Detected' ]] ||
    fail "the desktop was told: $(cat "$notified")"

begin "with the alert check off the desktop is told nothing"
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab space Tab Tab Tab Tab
for _ in $(seq 11); do xdotool key Next; done
# Two conversions at the chip's rate, 4 s apart.
sleep 9
[[ $(wc -l <"$notified") == 2 ]] || fail "with the alert check off the desktop was told: $(cat "$notified")"

begin "Ctrl+B in the main window gives the console the keyboard"
xdotool key ctrl+b
console=$(visible "$console_name")
poll active "$console" || fail "the console did not get the keyboard"
xdotool windowactivate --sync "$main" 2>/dev/null || true
poll active "$main" || fail "the main window did not get the keyboard back"

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
