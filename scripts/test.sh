#!/usr/bin/env bash
# Builds Lumoria with its tests (installing what is missing), makes sure a CUPS queue "PDF" that
# prints to PDF files is running, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh -DLUMORIA_TESTS=ON -DLUMORIA_BENCH=ON
scripts/start-cups.sh || echo "warning: no CUPS PDF queue; the printing tests will fail" >&2
cd "${BUILD_DIR:-build}"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
