#!/usr/bin/env bash
# Installs the Debian packages the reader needs to build, run and be tested.
# This is the one list of packages; it installs only what is missing, uses
# sudo when not run as root, and says exactly what to run when it cannot.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config make
  # window, input, presenting the framebuffer
  libsdl2-dev
  # fonts
  libfreetype-dev libfontconfig-dev culmus fonts-dejavu-core
  # PNG snapshots
  libpng-dev
  # logical to visual order in the volume compiler
  libfribidi-dev
  # Windows time-zone names from IANA zones
  libicu-dev
  # the zone files that local time is computed from
  tzdata
  # tests and benchmarks
  libgtest-dev libbenchmark-dev
  # sanitizer build and fuzzing (clang's libFuzzer and sanitizer runtimes)
  clang libclang-rt-14-dev
  # real-window tests
  xvfb xauth xdotool xclip
  # the Debian package, the desktop entry, the software centres' listing
  # (appstreamcli) and the manual pages, checked
  dpkg-dev desktop-file-utils appstream groff-base gzip
  # the real-window tests ask a window to close as a window manager does
  libx11-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  sudo=(sudo)
else
  echo "Cannot install packages without root. Run:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if ! "${sudo[@]}" apt-get update -qq || \
   ! "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
  echo "Package installation failed. Run:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
