#!/usr/bin/env bash
# make test-vm: the Linux component against a real kernel.
#
# Boots the distribution's kernel in QEMU with this machine's root shared
# read-only over 9p and a busybox initramfs whose init (tests/vm/init) loads
# i2c-stub with a chip at 4Ch and a printer port with nothing on it, then runs
# the programs listed in tests/vm/guest-tests.sh there, as root and as an
# ordinary user. The machine is a q35, so the kernel's i801 driver binds its
# SMBus host too: two adapters, the chip on one of them. Last, init unloads
# i2c-dev and the printer-port modules and the list's runs without devices
# follow. The console goes to BUILD/vm/console.log and is printed.
#
# Usage: run-vm.sh [BUILD_DIR]     (the folder `make build` filled)
# Exit: 0 when every run passed, or "SKIP: ..." when QEMU or the kernel
# package cannot be had; 1 when a run failed or the machine did not finish.
# ORT310_VM_TIMEOUT (s, default 600) ends a machine that hangs.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
build=$(cd "${1:-build}" && pwd)
work=$build/vm
log=$work/console.log
timeout_s=${ORT310_VM_TIMEOUT:-600}
test_timeout_s=120
packages=(qemu-system-x86 busybox-static)
# Newest first; the cloud flavour lacks the 9p, i2c-stub and parport modules.
kernel_pattern='^linux-image-[0-9.]+-[0-9]+-amd64$'
# What init loads; their dependencies are found in the modules themselves.
modules=(virtio_pci 9pnet_virtio 9p overlay i2c_dev i2c_i801 i2c_stub parport_pc ppdev)

skip() {
    echo "SKIP: test-vm: $*"
    exit 0
}
now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }
started=$(now)

[[ $(uname -m) == x86_64 ]] || skip "the shared root must be x86-64 for an amd64 kernel"
case "$src$build" in *[[:space:]]*) skip "the paths may not hold spaces: $build" ;; esac
[[ -x $build/tests/vm/tst_vm ]] || { echo "test-vm: $build has no tests/vm/tst_vm; run make build"; exit 1; }
mkdir -p "$work/debs"

# ---- packages
. "$here/../../tools/packages.sh"
ensure_packages test-vm "${packages[@]}" || skip "could not install ${packages[*]}"
command -v qemu-system-x86_64 >/dev/null || skip "no qemu-system-x86_64"

# ---- the kernel package, downloaded once into the build folder
newest_kernel() { { apt-cache search --names-only "$kernel_pattern" 2>/dev/null || true; } | awk '{ print $1 }' | sort -V | tail -n 1; }
pkg=$(newest_kernel)
if [[ -z $pkg ]] && ! compgen -G "$work/debs/linux-image-*.deb" >/dev/null; then
    $sudo apt-get update -qq || true
    pkg=$(newest_kernel)
fi
deb=
[[ -n $pkg ]] && deb=$(compgen -G "$work/debs/${pkg}_*.deb" | head -n 1 || true)
if [[ -z $deb && -n $pkg ]]; then
    echo "test-vm: downloading $pkg"
    # apt-get warns that its sandbox user cannot write here; the download is fine.
    if (cd "$work/debs" && apt-get download -q "$pkg" 2>&1 | grep -v unsandboxed); then :; fi
    deb=$(compgen -G "$work/debs/${pkg}_*.deb" | head -n 1 || true)
    # Keep only the newest in the cache.
    [[ -n $deb ]] && find "$work/debs" -name 'linux-image-*.deb' ! -path "$deb" -delete
fi
# Without the package lists or the network, an earlier download will do.
[[ -n $deb ]] || deb=$(compgen -G "$work/debs/linux-image-*.deb" | sort -V | tail -n 1 || true)
[[ -n $deb ]] || skip "no kernel package (apt-cache search '$kernel_pattern' found none, or the download failed)"
pkg=$(basename "$deb" .deb)

# ---- the kernel and its modules, unpacked once: vmlinuz, NAME.ko, NAME.deps
kernel=$work/kernel/$pkg
if [[ ! -f $kernel/vmlinuz || $(cat "$kernel/modules.wanted" 2>/dev/null) != "${modules[*]}" ]]; then
    echo "test-vm: unpacking $pkg"
    rm -rf "$kernel" "$work/unpack"
    mkdir -p "$kernel/modules"
    # A broken download is dropped, so that the next run fetches it again.
    dpkg-deb -x "$deb" "$work/unpack" || { rm -f "$deb"; echo "test-vm: could not unpack $deb"; exit 1; }
    cp "$(compgen -G "$work/unpack/boot/vmlinuz-*" | head -n 1)" "$kernel/vmlinuz"
    # Module names: "-" and "_" are the same to the kernel; use "_".
    declare -A module_file=()
    while read -r f; do
        name=${f##*/}
        name=${name%%.ko*}
        module_file[${name//-/_}]=$f
    done < <(find "$work/unpack/lib/modules" -name '*.ko*')
    builtin_list=$(compgen -G "$work/unpack/lib/modules/*/modules.builtin" | head -n 1)
    # add NAME: copies the module (decompressed: busybox insmod takes plain
    # ones only) and, first, what it depends on, read from its modinfo.
    add() {
        local name=${1//-/_} file dep
        [[ -f $kernel/modules/$name.ko ]] && return 0
        file=${module_file[$name]:-}
        if [[ -z $file ]]; then
            # Built into the kernel: nothing to load.
            sed 's|.*/||; s|\.ko.*||; s|-|_|g' "$builtin_list" | grep -qx "$name" && return 0
            echo "test-vm: $pkg has no module $name"
            exit 1
        fi
        case $file in
        *.ko.xz) xz -dc "$file" >"$kernel/modules/$name.ko" ;;
        *.ko.zst) zstd -qdc "$file" >"$kernel/modules/$name.ko" ;;
        *.ko.gz) gzip -dc "$file" >"$kernel/modules/$name.ko" ;;
        *) cp "$file" "$kernel/modules/$name.ko" ;;
        esac
        grep -ao 'depends=[^[:cntrl:]]*' "$kernel/modules/$name.ko" | head -n 1 | cut -d= -f2 | tr ',-' ' _' \
            >"$kernel/modules/$name.deps" || true
        for dep in $(cat "$kernel/modules/$name.deps"); do
            add "$dep"
        done
    }
    for m in "${modules[@]}"; do
        add "$m"
    done
    # Dependencies built into the kernel are not loaded either.
    for d in "$kernel"/modules/*.deps; do
        deps=()
        for dep in $(cat "$d"); do
            [[ -f $kernel/modules/$dep.ko ]] && deps+=("$dep")
        done
        echo "${deps[*]}" >"$d"
    done
    echo "${modules[*]}" >"$kernel/modules.wanted"
    rm -rf "$work/unpack"
fi

# ---- the initramfs: static busybox (init links its applets), init, the
# modules, and where the project is
initramfs=$work/initramfs
rm -rf "$initramfs"
mkdir -p "$initramfs"/{bin,dev,proc,sys,host,etc,lib/modules}
cp /bin/busybox "$initramfs/bin/busybox"
cp "$here/init" "$initramfs/init"
chmod 0755 "$initramfs/init"
cp "$kernel"/modules/* "$initramfs/lib/modules/"
printf 'SRC=%s\nBUILD=%s\nTEST_TIMEOUT=%s\n' "$src" "$build" "$test_timeout_s" >"$initramfs/etc/vm.conf"
(cd "$initramfs" && find . | /bin/busybox cpio -o -H newc 2>/dev/null) >"$work/initramfs.cpio"

# ---- the machine
# run_machine ACCEL BOOT_LIMIT: boots, waits for init's first line up to
# BOOT_LIMIT seconds and for the power-off up to timeout_s. Returns 0 when it
# powered off after booting, 2 when it never booted (QEMU refused to start, the
# kernel died, or BOOT_LIMIT passed), 3 when it was ended as hung.
booted_at=
run_machine() {
    local accel=$1 boot_limit=$2 cpu=max start pid
    [[ $accel == kvm ]] && cpu=host
    : >"$log"
    start=$(now)
    qemu-system-x86_64 -machine q35 -accel "$accel" -cpu "$cpu" -m 1024 -smp 1 \
        -nodefaults -no-user-config -display none -monitor none -no-reboot \
        -kernel "$kernel/vmlinuz" -initrd "$work/initramfs.cpio" \
        -append "console=ttyS0 quiet panic=-1" \
        -virtfs local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap \
        -parallel null -serial file:"$log" &
    pid=$!
    booted_at=
    local boot_deadline=$((SECONDS + boot_limit)) deadline=$((SECONDS + timeout_s))
    while kill -0 "$pid" 2>/dev/null; do
        if [[ -z $booted_at ]] && grep -q '^ORT310-VM: init' "$log"; then
            booted_at=$(seconds "$start" "$(now)")
        fi
        if { [[ -z $booted_at ]] && ((SECONDS >= boot_deadline)); } || ((SECONDS >= deadline)); then
            kill "$pid"
            wait "$pid" || true
            [[ -n $booted_at ]] && return 3
            return 2
        fi
        sleep 0.2
    done
    wait "$pid" || true
    [[ -z $booted_at ]] && grep -q '^ORT310-VM: init' "$log" && booted_at=$(seconds "$start" "$(now)")
    [[ -n $booted_at ]] || return 2
    return 0
}

echo "test-vm: booting $pkg ($(seconds "$started" "$(now)") s of preparation)"
status=0
accel=tcg
# Some hosts offer /dev/kvm but cannot boot a stock kernel with it: try it
# briefly, then fall back to software emulation.
if [[ -r /dev/kvm && -w /dev/kvm ]]; then
    accel=kvm
    run_machine kvm 60 || status=$?
    if ((status == 2)); then
        echo "test-vm: the kernel did not boot under KVM; using software emulation"
        accel=tcg status=0
    fi
fi
[[ $accel == tcg ]] && { run_machine tcg "$timeout_s" || status=$?; }

# ---- what happened
tr -d '\r' <"$log" >"$log.txt" && mv "$log.txt" "$log"
echo "---- console of the test machine ($log)"
cat "$log"
echo "---- end of console"

failed=0 passed=0
while read -r _ name who rc totals; do
    if [[ $rc == rc=0 ]]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
    printf '%-14s %-5s %-7s %s\n' "$name" "$who" "$rc" "$totals"
done < <(grep '^ORT310-VM-RESULT ' "$log") >"$work/results.txt"

echo "---- test-vm summary ($accel)"
grep -E '^ORT310-VM-(KERNEL|STUB|I801|PARPORT|NODES|UNLOADED|ERROR): ' "$log" | sed 's/^ORT310-VM-//' || true
cat "$work/results.txt"
problem=
((status == 2)) && problem="the machine did not boot"
((status == 3)) && problem="the machine hung and was ended after $timeout_s s"
[[ -z $problem ]] && ! grep -q '^ORT310-VM-DONE' "$log" && problem="the machine stopped before the end of the test list"
[[ -z $problem && $passed$failed == 00 ]] && problem="no test ran"
[[ -n $problem ]] && echo "test-vm: FAILED: $problem"
echo "timing: boot to init ${booted_at:-?} s, whole run $(seconds "$started" "$(now)") s"
echo "test-vm: $passed passed, $failed failed"
[[ -z $problem && $failed == 0 ]]
