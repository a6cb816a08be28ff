#!/usr/bin/env bash
# Builds the tests and the fuzz targets with clang under AddressSanitizer and UndefinedBehaviorSanitizer
# in build-asan, runs the whole test suite there, then each fuzz target briefly. The benchmarks are
# built too (not run), so that CI sees them compile.
# Expects the packages of scripts/setup.sh and a running CUPS queue (scripts/test.sh sees to both).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${ASAN_BUILD_DIR:-build-asan}
# Light optimisation and line tables only: the build is quick and every report still names its line.
FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -O1 -gline-tables-only"
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=None \
  -DLUMORIA_TESTS=ON -DLUMORIA_BENCH=ON -DLUMORIA_FUZZ=ON \
  -DCMAKE_C_FLAGS="$FLAGS" -DCMAKE_CXX_FLAGS="$FLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$BUILD" --parallel "$(nproc)"
# Qt's own allocations are not ours to account for: leaks are not checked. Any other report ends the
# test that made it.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Much of a test is spent waiting on windows, timers and CUPS: two per core keep the cores busy.
(cd "$BUILD" && ctest --output-on-failure --parallel "$((2 * $(nproc)))" --timeout 600)
scripts/fuzz.sh "$BUILD"
