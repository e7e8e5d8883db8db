#!/usr/bin/env bash
# Sets up what is missing, then builds and runs every test twice: in the normal build and
# in an AddressSanitizer + UndefinedBehaviorSanitizer build; then runs each fuzz target for
# a short time (when clang is there). Fails on any failure, report or fuzz finding.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/scripts/setup-deps.sh"

jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

echo "== Normal build =="
"$root/scripts/configure-build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd "$root/build" && ctest --output-on-failure -j"$jobs")

echo "== Sanitizer build (ASan + UBSan) =="
"$root/scripts/configure-build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug \
    -DQUILL_SANITIZE=ON -DQUILL_BUILD_BENCH=OFF
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
(cd "$root/build-asan" && ctest --output-on-failure -j"$jobs")
echo "All tests passed in both builds."

echo "== Fuzz targets (libFuzzer + ASan + UBSan, 20 s each) =="
"$root/scripts/run-fuzz.sh" 20
