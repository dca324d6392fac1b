#!/usr/bin/env bash
# The one place that installs Debian packages for the build, the tests and
# the tools: with apt-get, as root or through sudo, only those that are not
# installed yet, saying so under NAME; fails when they cannot be installed.
#
#   bash tools/packages.sh NAME PACKAGE...       from make or a shell
#   . tools/packages.sh; ensure_packages NAME PACKAGE...
#                                                 from a script, which then
#                                                 has `sudo` for its own commands
sudo=
[[ $(id -u) == 0 ]] || sudo=sudo

ensure_packages() {
    local name=$1 p
    shift
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    echo "$name: installing ${missing[*]}"
    $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
        $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    ensure_packages "$@"
fi
