#!/usr/bin/env bash
# make fuzz: every parser of outside input under libFuzzer with
# AddressSanitizer and UndefinedBehaviorSanitizer, for a bounded time each.
#
# Builds the fuzz targets with clang into BUILD_DIR (default build-fuzz),
# then runs each for FUZZ_SECONDS (default 20) from the seeds in
# fuzz/corpus/<target> and the inputs earlier runs found (BUILD_DIR/corpus).
# A crash, a hang or a sanitizer report fails the run; the input that did it
# is kept as BUILD_DIR/crash-<target>-* and its report is printed.
#
# Usage: run-fuzz.sh [BUILD_DIR]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/.." && pwd)
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-20}
jobs=${JOBS:-2}

. "$src/tools/packages.sh"
ensure_packages fuzz clang libfuzzer-14-dev

if [[ ! -f $build/CMakeCache.txt ]]; then
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DORT_FUZZ=ON -DORT_WERROR=OFF -DORT_BUILD_TESTS=OFF -DORT_BUILD_BENCH=OFF -DORT_INSTALL=OFF \
        "${launcher[@]}" >/dev/null
fi
cmake --build "$build" -j "$jobs" --target fuzzers
build=$(cd "$build" && pwd)

failed=()
for fuzzer in "$build"/fuzz/fuzz_*; do
    [[ -f $fuzzer && -x $fuzzer ]] || continue
    name=$(basename "$fuzzer")
    corpus=$build/corpus/$name
    mkdir -p "$corpus"
    log=$build/$name.log
    # Leaks are reported too: a parser that loses memory on some input is a fault.
    if (cd "$build" && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
        -artifact_prefix="$build/crash-$name-" "$corpus" "$src/fuzz/corpus/$name") >"$log" 2>&1; then
        echo "fuzz: $name: $(grep -Eo '#[0-9]+ +DONE.*' "$log" | tail -n 1 || tail -n 1 "$log")"
    else
        failed+=("$name")
        echo "fuzz: $name FAILED:"
        tail -n 40 "$log"
    fi
done
((${#failed[@]} == 0)) || { echo "fuzz: FAILED: ${failed[*]}"; exit 1; }
echo "fuzz: every target ran ${seconds} s without a fault"
