#!/usr/bin/env bash
# Builds the test programs of the threaded code (pixel loops, picture codecs, thumbnails, page
# drawing and printing, photo placement) with clang under ThreadSanitizer in build-tsan, and runs
# them; a race fails the run. Only these programs are built, which keeps CI short. Expects the
# packages of scripts/setup.sh and a running CUPS queue (scripts/test.sh sees to both).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${TSAN_BUILD_DIR:-build-tsan}
# A test program, with a filter where only part of it is threaded: ThreadSanitizer cannot follow
# Qt starting a process (its clone call), so programs that run tools (the CUPS tests among them)
# stay out.
SUITES=("platform:CrossThreadCalls.*:SideThread.*:ResponsiveWait*" imaging graphics components page_drawing album printing)
FLAGS="-fsanitize=thread -fno-omit-frame-pointer -O1 -gline-tables-only"
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=None \
  -DLUMORIA_TESTS=ON -DLUMORIA_BENCH=OFF \
  -DCMAKE_C_FLAGS="$FLAGS" -DCMAKE_CXX_FLAGS="$FLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
targets=()
for entry in "${SUITES[@]}"; do targets+=("test_${entry%%:*}"); done
cmake --build "$BUILD" --parallel "$(nproc)" --target "${targets[@]}"
# The first race ends its program with a failure. Qt's own allocations are left out (see tsan.supp).
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/scripts/tsan.supp"
# The programs run side by side, as many at a time as there are cores (ctest runs their tests side by
# side too), each into a log of its own; the logs are shown in order once all have ended.
logs="$BUILD/tsan-logs"
rm -rf "$logs" && mkdir -p "$logs"
filter_of() { if [ "$1" = "${1%%:*}" ]; then echo "*"; else echo "${1#*:}"; fi; }
for entry in "${SUITES[@]}"; do
  suite=${entry%%:*}
  filter=$(filter_of "$entry")
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n || true; done
  { (cd "$BUILD/tests" && "./test_$suite" --gtest_brief=1 --gtest_filter="$filter") > "$logs/$suite.log" 2>&1 \
      && echo passed || echo failed; } > "$logs/$suite.status" &
done
wait
failed=()
for entry in "${SUITES[@]}"; do
  suite=${entry%%:*}
  echo "== ThreadSanitizer: $suite ($(filter_of "$entry"))"
  cat "$logs/$suite.log"
  [ "$(cat "$logs/$suite.status")" = passed ] || failed+=("$suite")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "ThreadSanitizer failed in: ${failed[*]}" >&2
  exit 1
fi
