#!/usr/bin/env bash
# Runs every fuzz target of a LUMORIA_FUZZ build briefly over its seed corpus (fuzz/corpus/<kind> and
# the program's own resources of that kind). Inputs the fuzzer finds go to a scratch corpus in the
# build folder; a crash leaves its reproducer there and fails the run.
#   scripts/fuzz.sh [build-dir]      FUZZ_SECONDS=<seconds per target> (default 15)
#                                    FUZZ_SEED=<seed> (default 1)
# With a fixed seed each target tries the same inputs in the same order, so a shorter run (CI's)
# tries a part of what a longer run with that seed already tried; a new seed explores further.
set -euo pipefail
cd "$(dirname "$0")/.."
# The targets run from their scratch folders: the build folder is made absolute first.
BUILD=$(cd "${1:-build-asan}" && pwd)
SECONDS_EACH=${FUZZ_SECONDS:-15}
SEED=${FUZZ_SEED:-1}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export QT_QPA_PLATFORM=offscreen

seeds_of() {
  case "$1" in
    jpeg | exif) echo resources/rcdata/Foto_Vazia ;;
    any) ls fuzz/corpus/*/* resources/rcdata/Foto_Vazia resources/splash/splash.bmp ;;
    bmp) echo resources/splash/splash.bmp ;;
    cursor) ls resources/rcdata/Cursor_* ;;
  esac
}

failed=0
for kind in job_file jpeg gif bmp ico wmf emf any exif cursor; do
  target="$BUILD/fuzz/fuzz_$kind"
  scratch="$BUILD/fuzz-runs/$kind"
  mkdir -p "$scratch/corpus" "$scratch/seeds"
  cp fuzz/corpus/$kind/* "$scratch/seeds/" 2>/dev/null || true
  for s in $(seeds_of $kind); do cp "$s" "$scratch/seeds/"; done
  # Pictures within the program's limits may take some hundreds of megabytes; a bomb takes more.
  if (cd "$scratch" && "$target" -seed="$SEED" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
        -malloc_limit_mb=1024 -print_final_stats=1 corpus seeds) > "$scratch/log" 2>&1; then
    runs=$(grep -o 'Done [0-9]* runs' "$scratch/log" | tail -1 | grep -o '[0-9]*' || echo "?")
    echo "fuzz_$kind: $runs executions, no crash"
  else
    echo "fuzz_$kind: FAILED (see $scratch/log; reproducer in $scratch)" >&2
    tail -40 "$scratch/log" >&2
    failed=1
  fi
done
exit $failed
