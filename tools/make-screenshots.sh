#!/usr/bin/env bash
# Draws the README's pictures with the reader itself (headless, scripted),
# from fixed settings: article 4 in David CLM, one bookmark, the first-start
# window at scale 2 (480 x 640 screen pixels); the last picture in the night
# palette with a passage selected.
set -euo pipefail
build=${1:?build folder}
out=${2:?output folder}
reader="$build/app/quillory-32"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$out" && out=$(cd "$out" && pwd)
mkdir -m 700 "$scratch/run"
cat >"$scratch/registry.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Orvenda\Quillory - 32]
"FontName"="David CLM"
"FontAsciiBase"=dword:000005d0
"Lesson"=dword:00000004
"Flags"=dword:d1140044
"Bookmarks"=hex:04,00,00,00
REG
cat >"$scratch/script" <<SCRIPT
snapshot $out/reading.png
command 119
snapshot $out/index.png
command 2
command 116
type כ?הן
snapshot $out/search.png
command 2
command 40011
drag 200 140 60 190
snapshot $out/night.png
SCRIPT
QUILLORY_REGISTRY="$scratch/registry.reg" XDG_RUNTIME_DIR="$scratch/run" "$reader" --headless --scale 2 --size 240x320 --script "$scratch/script"
echo "drawn: $out/reading.png $out/index.png $out/search.png $out/night.png"
