#!/usr/bin/env bash
# Builds Lumoria (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh -DLUMORIA_TESTS=OFF -DLUMORIA_BENCH=OFF
exec "${BUILD_DIR:-build}/lumoria" "$@"
