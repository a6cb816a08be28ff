#!/usr/bin/env bash
# Builds Lumoria with its tests (installing what is missing), makes sure a CUPS queue "PDF" that
# prints to PDF files is running, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
# LUMORIA_BENCH=OFF leaves the benchmarks out (CI builds them in its sanitizer build instead).
scripts/setup.sh -DLUMORIA_TESTS=ON -DLUMORIA_BENCH="${LUMORIA_BENCH:-ON}"
scripts/start-cups.sh || echo "warning: no CUPS PDF queue; the printing tests will fail" >&2
cd "${BUILD_DIR:-build}"
# Much of a test is spent waiting on windows, timers and CUPS: two per core keep the cores busy.
ctest --output-on-failure --parallel "$((2 * $(nproc)))" --timeout 600
