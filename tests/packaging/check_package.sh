#!/usr/bin/env bash
# Checks what people install: the desktop entry, the software centres'
# listing and the manual pages are valid, and the Debian package built from
# this build folder holds the two programs, the entry, the listing, the icons,
# the pages and the copyright, names the libraries and fonts it needs (and
# recommends xdg-utils), describes itself in a short line and an indented
# text, shows one version everywhere, and its reader, unpacked, starts and
# draws the volume.
set -euo pipefail
build=${1:?build folder}
source=${2:?source folder}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

desktop-file-validate "$source/packaging/quillory-32.desktop"
grep -q '^Name\[he\]=' "$source/packaging/quillory-32.desktop" &&
  grep -q '^Comment\[he\]=' "$source/packaging/quillory-32.desktop" &&
  grep -q '^GenericName=' "$source/packaging/quillory-32.desktop" ||
  { echo "the desktop entry lacks its Hebrew name and comment or its generic name"; exit 1; }
metainfo="$build/packaging/example.orvenda.quillory32.metainfo.xml"
appstreamcli validate --no-net "$metainfo"
# Its pictures are the README's, published beside the homepage.
for picture in $(grep -o '[a-z]*\.png</image>' "$metainfo" | sed 's#</image>##'); do
  [ -f "$source/docs/$picture" ] || { echo "the listing shows $picture, which docs/ does not have"; exit 1; }
done
for page in "$build"/packaging/man/*.1; do
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
    ./usr/share/metainfo/example.orvenda.quillory32.metainfo.xml ./usr/share/doc/quillory-32/copyright \
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

[ "$(dpkg-deb -f "$package" Recommends)" = "xdg-utils" ] || { echo "the package does not recommend xdg-utils"; exit 1; }

# A short line, then the long text with every line indented by exactly one
# space: two would make it a preformatted line.
dpkg-deb -f "$package" Description >"$scratch/description"
[ "$(head -n 1 "$scratch/description")" = "reader for the Hebrew volume Quillory - 32" ] ||
  { echo "the description's short line is: $(head -n 1 "$scratch/description")"; exit 1; }
if tail -n +2 "$scratch/description" | grep -qv '^ [^ ]' || [ "$(wc -l <"$scratch/description")" -lt 3 ]; then
  echo "the long description is not an indented text:"; cat "$scratch/description"; exit 1
fi
if awk 'length > 80' "$scratch/description" | grep -q .; then echo "description lines over 80 characters"; exit 1; fi

dpkg-deb -x "$package" "$scratch/root"
# The machine-readable copyright.
copyright="$scratch/root/usr/share/doc/quillory-32/copyright"
head -n 1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' &&
  grep -q '^Files: \*' "$copyright" && grep -q '^License: ' "$copyright" ||
  { echo "the copyright file is not in the machine-readable format"; exit 1; }

# One version everywhere.
version=$(dpkg-deb -f "$package" Version)
[ "$("$scratch/root/usr/bin/quillory-32" --version)" = "$version" ] || { echo "quillory-32 --version is not $version"; exit 1; }
[ "$("$scratch/root/usr/bin/quillory-pack" --version)" = "quillory-pack $version" ] ||
  { echo "quillory-pack --version is not $version"; exit 1; }
for page in quillory-32 quillory-pack; do
  zcat "$scratch/root/usr/share/man/man1/$page.1.gz" | head -n 1 | grep -q "\"Quillory - 32 $version\"" ||
    { echo "the manual page of $page does not say version $version"; exit 1; }
done
grep -q "<release version=\"$version\"" "$scratch/root/usr/share/metainfo/example.orvenda.quillory32.metainfo.xml" ||
  { echo "the listing's release is not $version"; exit 1; }

# The unpacked reader shows an article and saves where it was.
mkdir -m 700 "$scratch/run"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n"FontName"="David CLM"\n' \
  >"$scratch/registry.reg"
printf 'key PageDown\n' >"$scratch/script"
QUILLORY_REGISTRY="$scratch/registry.reg" XDG_RUNTIME_DIR="$scratch/run" \
  "$scratch/root/usr/bin/quillory-32" --headless --script "$scratch/script" --snapshot "$scratch/shown.png"
[ -s "$scratch/shown.png" ] || { echo "the unpacked reader drew nothing"; exit 1; }
grep -q '"LastPosition"' "$scratch/registry.reg" || { echo "the unpacked reader saved nothing"; exit 1; }
echo "package $(basename "$package"): $(stat -c %s "$package") bytes, checked"
