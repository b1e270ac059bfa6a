#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (sanitizers on) and runs every test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

"$root/scripts/install-deps.sh"

build="$root/build/test"
jobs="$(nproc)"
# Line tables are enough for the sanitizers' stack traces and cost half the compile time of
# full debug information; benchmarks are built by their compare scripts (Release), not here.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DONDRIX_SANITIZE=ON \
  -DONDRIX_BENCH=OFF -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
cmake --build "$build" -j "$jobs"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
cd "$build"
ctest --output-on-failure -j "$jobs"
