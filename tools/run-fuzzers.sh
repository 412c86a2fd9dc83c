#!/usr/bin/env bash
# Runs every fuzz target of a sanitizer build for a number of seconds each,
# starting from the seeds kept in fuzz/corpus/<target>; a target without seeds
# fails, so that every target starts from inputs that reach its parser. New
# inputs are kept in a scratch folder, never in the repository.
set -euo pipefail
build=${1:?build folder}
seconds=${2:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
export LSAN_OPTIONS="suppressions=$root/tools/lsan-suppressions.txt"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for target in "$build"/fuzz/*_fuzz; do
  name=$(basename "$target")
  mkdir -p "$scratch/$name"
  seeds="$root/fuzz/corpus/$name"
  if [ -z "$(ls -A "$seeds" 2>/dev/null)" ]; then
    echo "fuzz $name: FAILED, no seeds in fuzz/corpus/$name"
    status=1
    continue
  fi
  if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$scratch/" "$scratch/$name" "$seeds" >"$scratch/$name.log" 2>&1; then
    runs=$(grep -E '^stat::number_of_executed_units' "$scratch/$name.log" | awk '{print $2}')
    echo "fuzz $name: ${runs:-?} runs in ${seconds}s, clean"
  else
    echo "fuzz $name: FAILED"
    tail -n 40 "$scratch/$name.log"
    for crash in "$scratch"/crash-* "$scratch"/leak-* "$scratch"/timeout-*; do
      [ -e "$crash" ] && echo "input: $(xxd -p "$crash" | head -c 400)"
    done
    status=1
  fi
done
exit $status
