#!/usr/bin/env bash
# The README's pictures (docs/*.png) are what this build's reader draws from
# the same settings; `make screenshots` draws them afresh after a change.
set -euo pipefail
build=${1:?build folder}
source=${2:?source folder}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$source/tools/make-screenshots.sh" "$build" "$scratch" >/dev/null
for picture in reading index search night; do
  cmp -s "$scratch/$picture.png" "$source/docs/$picture.png" ||
    { echo "docs/$picture.png is not what the reader draws now: run make screenshots"; exit 1; }
done
