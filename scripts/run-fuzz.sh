#!/usr/bin/env bash
# run-fuzz.sh [seconds]: builds the libFuzzer targets (tests/fuzz) with clang in build-fuzz
# and runs each for the given time (default 20 s), as many at once as there are cores,
# starting from its seeds in tests/fuzz/corpus/<name> and what earlier runs found
# (build-fuzz/corpus/<name>). Without clang or its libFuzzer it says so and does nothing.
# Fails when any target reports a crash, a sanitizer finding, a leak, a hang or a broken
# check; the input that did it is kept in build-fuzz/findings and the target's output in
# build-fuzz/logs.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-20}"
build="$root/build-fuzz"
cxx="${QUILL_FUZZ_CXX:-clang++}"

probe_dir="$(mktemp -d)"
trap 'rm -rf "$probe_dir"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }\n' \
    > "$probe_dir/probe.cpp"
if ! command -v "$cxx" > /dev/null ||
    ! "$cxx" -fsanitize=fuzzer,address,undefined "$probe_dir/probe.cpp" -o "$probe_dir/probe" \
        > /dev/null 2>&1; then
    echo "No clang with libFuzzer ($cxx): the fuzz targets are skipped."
    exit 0
fi

"$root/scripts/configure-build.sh" "$build" -DQUILL_FUZZ=ON -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The targets that write files save them as the program does, with a sync to the disk each
# time; in memory that costs nothing.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p "$build/findings" "$build/logs"

# run_target <seeds folder>: runs one target its time; its verdict goes to its log's .verdict.
run_target() {
    local seeds="$1" name target corpus log
    name="$(basename "$seeds")"
    target="$build/bin/fuzz_$name"
    corpus="$build/corpus/$name"
    log="$build/logs/$name.log"
    mkdir -p "$corpus"
    if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$name-" \
        "$corpus" "$seeds" > "$log" 2>&1; then
        echo ok > "$log.verdict"
    else
        echo finding > "$log.verdict"
    fi
}

# As many targets at once as there are cores: each is a single process.
jobs="$(nproc)"
running=0
for seeds in "$root"/tests/fuzz/corpus/*/; do
    if [ "$running" -ge "$jobs" ]; then
        wait -n || true
        running=$((running - 1))
    fi
    run_target "$seeds" &
    running=$((running + 1))
done
wait

failed=()
for seeds in "$root"/tests/fuzz/corpus/*/; do
    name="$(basename "$seeds")"
    log="$build/logs/$name.log"
    if [ "$(cat "$log.verdict" 2>/dev/null)" = ok ]; then
        runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
        rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")"
        echo "fuzz_$name: ${runs:-?} inputs in ${seconds} s (${rate:-?}/s), no finding"
    else
        echo "fuzz_$name: FINDING (log: $log)"
        grep -E "ERROR|SUMMARY|check failed|mismatch|runtime error|Test unit written" "$log" | head -n 20 || true
        failed+=("$name")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzz targets with findings: ${failed[*]}"
    exit 1
fi
echo "All fuzz targets ran without a finding."
