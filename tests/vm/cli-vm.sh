#!/bin/bash
# The command-line tool against the test machine's kernel (guest-tests.sh
# runs it as root and as an ordinary user): i2c-stub's chip at 4Ch on
# ORT310_TEST_I2C, a printer port with nothing on it, nodes root's only.
# Prints a line per check and "Totals: N passed, M failed".
tool=$(cd "$(dirname "$0")/../../cli" && pwd)/ort310
who=${ORT310_VM:-root}
# The stub's adapter, whichever others the machine has.
export ORT310_I2C=${ORT310_TEST_I2C:-}
passed=0 failed=0
out=/tmp/cli-vm-$who.out err=/tmp/cli-vm-$who.err

# check NAME EXPECTED_STATUS PATTERN ARGUMENT...: runs ort310 with the
# arguments; passes when it exits with the status and its standard output
# and error together match the extended regular expression.
check() {
    local name=$1 expected=$2 pattern=$3 status
    shift 3
    "$tool" "$@" >"$out" 2>"$err"
    status=$?
    if [[ $status == "$expected" ]] && { [[ -z $pattern ]] || cat "$out" "$err" | grep -Eq -- "$pattern"; }; then
        passed=$((passed + 1))
        echo "PASS   : cli $name"
        # What doctor says goes to the console, for whoever reads the log.
        [[ $name == doctor ]] && sed 's/^/    /' "$out"
    else
        failed=$((failed + 1))
        echo "FAIL!  : cli $name: ort310 $* ended with $status (wanted $expected), wanted /$pattern/:"
        sed 's/^/    /' "$out" "$err"
    fi
}

if [[ $who == root ]]; then
    check scan 0 "An ORT310 was found at:4Ch, on the SMBus" scan
    check temps-json 0 '^\{"local":-?[0-9]+,"remote":-?[0-9]+\}$' --route smbus temps --json
    # A byte written by one process is read back by the next: the chip holds
    # it. i2c-stub is plain memory, so only the one-shot register, read and
    # written at one address, reads back what was written.
    check write 0 '"address":15,"name":"One-Shot","value":165' --route smbus --address 4C write one-shot 0xA5 --json
    check read 0 '"address":15,"name":"One-Shot","value":165' --route smbus read 15 --json
    check info 0 '"manufacturer_id":92' --route smbus info --json
    rm -f /tmp/cli-vm.xls
    check log 0 '' --route smbus log /tmp/cli-vm.xls --interval 0 --count 10
    records=$(grep -c $'^\r[0-9][0-9]:' /tmp/cli-vm.xls 2>/dev/null)
    if [[ $records == 10 ]]; then
        passed=$((passed + 1)); echo "PASS   : cli log-records"
    else
        failed=$((failed + 1)); echo "FAIL!  : cli log-records: $records records, wanted 10"
    fi
    check doctor 0 "/dev/i2c-[0-9]+ +\"SMBus stub driver\" +usable" doctor
else
    # Nothing opens: the tool says why and which group grants access.
    check scan 1 "Permission denied to open /dev/i2c-[0-9]+: join the group i2c" scan
    check temps-json 1 "join the group i2c" --route smbus temps --json
    check doctor 1 "give it to the group i2c .*join the group i2c to use /dev/i2c-[0-9]+" doctor
fi
echo "Totals: $passed passed, $failed failed, 0 skipped"
((failed == 0))
