#!/usr/bin/env bash
# Checks what people install: the desktop entry and the manual pages are
# valid, and the Debian package built from this build folder holds the two
# programs, the entry, the icons and the pages, names the libraries and fonts
# it needs, and its reader, unpacked, starts and draws the volume.
set -euo pipefail
build=${1:?build folder}
source=${2:?source folder}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

desktop-file-validate "$source/packaging/quillory-32.desktop"
for page in "$source"/packaging/man/*.1; do
  warnings=$(groff -man -ww -z "$page" 2>&1)
  if [ -n "$warnings" ]; then
    echo "$page: $warnings"
    exit 1
  fi
done

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package" >"$scratch/cpack.log" 2>&1 || {
  cat "$scratch/cpack.log"
  exit 1
}
package=$(ls "$scratch"/package/quillory-32_*.deb)
contents=$(dpkg-deb -c "$package")
for file in ./usr/bin/quillory-32 ./usr/bin/quillory-pack ./usr/share/applications/quillory-32.desktop \
    ./usr/share/man/man1/quillory-32.1.gz ./usr/share/man/man1/quillory-pack.1.gz; do
  grep -q " $file\$" <<<"$contents" || { echo "missing from the package: $file"; exit 1; }
done
for size in 32 64 96 128 256; do
  grep -q " ./usr/share/icons/hicolor/${size}x${size}/apps/quillory-32.png\$" <<<"$contents" ||
    { echo "missing from the package: the ${size}x${size} icon"; exit 1; }
done
depends=$(dpkg-deb -f "$package" Depends)
for needed in culmus fonts-dejavu-core libsdl2 libfreetype6 libfontconfig1 libpng16; do
  grep -q "$needed" <<<"$depends" || { echo "the package does not depend on $needed: $depends"; exit 1; }
done

# The unpacked reader shows an article and saves where it was.
dpkg-deb -x "$package" "$scratch/root"
mkdir -m 700 "$scratch/run"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n"FontName"="David CLM"\n' \
  >"$scratch/registry.reg"
printf 'key PageDown\n' >"$scratch/script"
QUILLORY_REGISTRY="$scratch/registry.reg" XDG_RUNTIME_DIR="$scratch/run" \
  "$scratch/root/usr/bin/quillory-32" --headless --script "$scratch/script" --snapshot "$scratch/shown.png"
[ -s "$scratch/shown.png" ] || { echo "the unpacked reader drew nothing"; exit 1; }
grep -q '"LastPosition"' "$scratch/registry.reg" || { echo "the unpacked reader saved nothing"; exit 1; }
"$scratch/root/usr/bin/quillory-pack" --version >/dev/null
echo "package $(basename "$package"): $(stat -c %s "$package") bytes, checked"
