#!/usr/bin/env bash
# make test-package: the Debian package as a user gets it.
#
# Installs BUILD/ort310eval_*.deb with apt-get (which pulls in what it
# depends on), starts the program as the desktop menu does (the Exec lines of
# the installed desktop entry and its actions) on the offscreen platform,
# checks that each is still running after a few seconds, checks the
# exporter's service with systemd-analyze verify, and removes the package
# again; lintian must find no error, no warning and no hardening-* tag. Needs root (or sudo): it changes the machine's packages.
#
# Usage: check-package.sh [BUILD_DIR]
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
id=com.velmora.ort310eval
run_seconds=3
sudo=
[[ $(id -u) == 0 ]] || sudo=sudo
apt=($sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 -y -qq)

deb=$(compgen -G "$build/ort310eval_*.deb" | sort -V | tail -n 1 || true)
[[ -n $deb ]] || { echo "test-package: no package in $build; run make package"; exit 1; }
echo "test-package: $(basename "$deb")"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends | sed 's/^/  /'
# The runtime libraries come from dpkg-shlibdeps, the window-system plugins by name.
depends=$(dpkg-deb --field "$deb" Depends)
for wanted in libqt6widgets6 libqt6gui6 libqt6core6 libi2c0 qt6-qpa-plugins; do
    [[ $depends == *"$wanted"* ]] || { echo "test-package: FAILED: Depends lacks $wanted"; exit 1; }
done

# Debian's own checks of the package: no error and no warning.
if command -v lintian >/dev/null; then
    root=()
    [[ $(id -u) == 0 ]] && root=(--allow-root)
    lintian_log=$(mktemp)
    if ! lintian "${root[@]}" --fail-on error,warning "$deb" >"$lintian_log" 2>&1; then
        echo "test-package: FAILED: lintian:"
        cat "$lintian_log"
        rm -f "$lintian_log"
        exit 1
    fi
    echo "test-package: lintian: no errors, no warnings$( [[ -s $lintian_log ]] && printf ' (%s other notes)' "$(wc -l <"$lintian_log")")"
    # Both programs are built with Debian's hardening flags: not even an
    # informational tag may say otherwise.
    lintian "${root[@]}" -I "$deb" >"$lintian_log" 2>&1 || true
    if grep -q "hardening-" "$lintian_log"; then
        echo "test-package: FAILED: lintian -I:"
        grep "hardening-" "$lintian_log"
        rm -f "$lintian_log"
        exit 1
    fi
    echo "test-package: lintian -I: no hardening-* tag"
    rm -f "$lintian_log"
else
    echo "test-package: FAILED: lintian is not installed (make package installs it)"
    exit 1
fi

was_installed=$(dpkg-query -W -f='${Status}' ort310eval 2>/dev/null | grep -c "ok installed" || true)
remove() {
    # Where the machine had the package before, it stays installed.
    ((was_installed)) || "${apt[@]}" purge ort310eval >/dev/null 2>&1 || true
}
trap remove EXIT
"${apt[@]}" install "$deb" >/dev/null

failed=
for f in /usr/bin/ort310eval /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/$id.svg /usr/share/icons/hicolor/{16x16,48x48,256x256}/apps/$id.png; do
    [[ -e $f ]] || failed+=" $f"
done
[[ -z $failed ]] || { echo "test-package: FAILED: not installed:$failed"; exit 1; }

# The command-line tool and both manual pages, as a user on the PATH has them.
for f in /usr/bin/ort310 /usr/share/man/man1/ort310.1.gz /usr/share/man/man1/ort310eval.1.gz \
    /usr/share/doc/ort310eval/copyright /usr/share/doc/ort310eval/changelog.gz; do
    [[ -e $f ]] || failed+=" $f"
done
[[ -z $failed ]] || { echo "test-package: FAILED: not installed:$failed"; exit 1; }
(cd / && env -i PATH=/usr/bin:/bin ort310 --help | grep -q "^Commands:") ||
    { echo "test-package: FAILED: ort310 --help"; exit 1; }
scan=$(cd / && env -i PATH=/usr/bin:/bin ort310 scan) || { echo "test-package: FAILED: ort310 scan"; exit 1; }
for program in ort310 ort310eval; do
    MANPAGER=cat MANWIDTH=80 man "$program" 2>/dev/null | grep -q "$program" ||
        { echo "test-package: FAILED: man $program"; exit 1; }
done
# The exporter's service: installed, sound to systemd, and not enabled;
# and the Prometheus side of it beside the documentation.
unit=/usr/lib/systemd/system/ort310-exporter.service
[[ -e $unit ]] || { echo "test-package: FAILED: not installed: $unit"; exit 1; }
verify=$(systemd-analyze verify --man=no "$unit" 2>&1) || { echo "test-package: FAILED: systemd-analyze verify: $verify"; exit 1; }
[[ -z $verify ]] || { echo "test-package: FAILED: systemd-analyze verify says: $verify"; exit 1; }
[[ ! -e /etc/systemd/system/multi-user.target.wants/ort310-exporter.service ]] ||
    { echo "test-package: FAILED: the exporter's service is enabled by the package"; exit 1; }
for f in prometheus.yml ort310-rules.yml ort310-rules.test.yml; do
    [[ -e /usr/share/doc/ort310eval/examples/prometheus/$f ]] || failed+=" $f"
done
[[ -z $failed ]] || { echo "test-package: FAILED: not installed:$failed"; exit 1; }
echo "test-package: ort310-exporter.service passes systemd-analyze verify and is not enabled; the Prometheus examples are there"

echo "test-package: ort310 --help, ort310 scan ($(wc -l <<<"$scan") chips on the simulated board), man ort310 and man ort310eval work"

# As the menu starts it: the entry's Exec line, found on the PATH, and the
# Exec lines of its actions (the simulated board, this machine's hardware);
# none of them may end by itself, with devices or without.
mapfile -t exec_lines < <(sed -n 's/^Exec=//p' /usr/share/applications/$id.desktop)
((${#exec_lines[@]} == 3)) || { echo "test-package: FAILED: the entry has ${#exec_lines[@]} Exec lines, not 3"; exit 1; }
log=$(mktemp)
for exec_line in "${exec_lines[@]}"; do
    status=0
    (cd / && env -i PATH=/usr/bin:/bin HOME="${HOME:-/root}" QT_QPA_PLATFORM=offscreen \
        timeout "$run_seconds" $exec_line) >"$log" 2>&1 || status=$?
    # timeout ends a program that is still running with 124: it started and stayed.
    if ((status != 124)); then
        echo "test-package: FAILED: \"$exec_line\" from the menu ended with status $status:"
        cat "$log"
        rm -f "$log"
        exit 1
    fi
done
rm -f "$log"
echo "test-package: passed: installed, started from its desktop entry and its actions" \
    "($(printf '"%s" ' "${exec_lines[@]}")) and each ran ${run_seconds} s"
