# Sourced by the test scripts (bash).
#
# ensure_packages NAME PACKAGE...: installs with apt-get, as root or through
# sudo, the packages that are not installed yet, saying so under NAME; fails
# when they cannot be installed. Sets `sudo` for the caller's own commands.
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
