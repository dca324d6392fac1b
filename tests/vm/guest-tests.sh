#!/bin/bash
# Runs inside the test machine, chrooted into the host's root (see init), so
# the programs are the ones the host built, with the host's libraries, but
# meet the machine's kernel and devices: /dev/i2c-N (i2c-stub, chip at 4Ch)
# and /dev/parport0 (378h, nothing attached). Both nodes are root's only.
#
# Usage: guest-tests.sh BUILD_DIR STUB_NODE TIMEOUT_SECONDS
# For each run it prints "ORT310-VM-RESULT name who rc=N Totals: ...", which
# run-vm.sh reads on the host; "ORT310-VM-DONE" says the list was finished.

build=$1
i2c=$2
limit=${3:-120}

# An ordinary user: not root and in neither lp nor i2c, so every device
# node is closed to it.
user_id=65534

# Qt wants a home and a private runtime folder; the root is read-only.
mkdir -p /tmp/root/home /tmp/root/xdg /tmp/user/home /tmp/user/xdg
chmod 0700 /tmp/root/xdg /tmp/user/xdg
chown -R $user_id:$user_id /tmp/user
echo "ORT310-VM-NODES: $(stat -c '%n %A %U:%G' "$i2c" /dev/parport* | paste -sd ',' | sed 's/,/, /g')"

# run NAME root|user [VARIABLE=value...] PROGRAM [ARGUMENT...]
# PROGRAM is relative to the build folder. Every run has ORT310_BUS=linux,
# the offscreen platform and ORT310_VM=root|user.
run() {
    local name=$1 who=$2
    shift 2
    local settings=()
    while [[ $1 == *=* ]]; do
        settings+=("$1")
        shift
    done
    local program=$build/$1
    shift
    local as=()
    [[ $who == user ]] && as=(setpriv --reuid=$user_id --regid=$user_id --clear-groups --)
    local out=/tmp/$name-$who.txt
    echo "ORT310-VM-BEGIN $name $who"
    # A test that hangs is ended, so that the others still report.
    timeout -k 5 "$limit" "${as[@]}" env -i PATH=/usr/bin:/bin HOME=/tmp/$who/home XDG_RUNTIME_DIR=/tmp/$who/xdg \
        QT_QPA_PLATFORM=offscreen ORT310_BUS=linux ORT310_VM=$who "${settings[@]}" "$program" "$@" >"$out" 2>&1
    local rc=$?
    cat "$out"
    echo "ORT310-VM-RESULT $name $who rc=$rc $(grep -m1 '^Totals:' "$out")"
}

# The test list. Programs built with QTEST_GUILESS_MAIN take no -platform.
run tst_backends root ORT310_TEST_I2C=$i2c tests/component/tst_backends
run tst_linux    root tests/linux/tst_linux -platform offscreen
run tst_vm       root ORT310_TEST_I2C=$i2c tests/vm/tst_vm
run tst_linux    user tests/linux/tst_linux -platform offscreen
run tst_vm       user ORT310_TEST_I2C=$i2c tests/vm/tst_vm

# The wizard walk on ORT310_BUS=linux: as root an SMBus-only search lists the
# stub chip alone and Finish reads its FEh through the link; as the ordinary
# user the medium panel names the nodes it cannot open and the group to join.
run tst_vmwizard root ORT310_TEST_I2C=$i2c tests/vm/tst_vmwizard -platform offscreen
run tst_vmwizard user ORT310_TEST_I2C=$i2c tests/vm/tst_vmwizard -platform offscreen

# The command-line tool: scan, temps --json, a byte kept by the chip between
# runs, a short log and doctor as root; as the ordinary user, the group to join.
run ort310 root ORT310_TEST_I2C=$i2c tests/vm/cli_vm
run ort310 user ORT310_TEST_I2C=$i2c tests/vm/cli_vm

echo "ORT310-VM-DONE"
