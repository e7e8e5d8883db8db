#!/usr/bin/env bash
# configure-build.sh <build-dir> [cmake options...]: configures (once) and builds.
set -euo pipefail
dir="$1"; shift
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" -G Ninja "$@"
fi
cmake --build "$dir" -j"$(nproc)"
