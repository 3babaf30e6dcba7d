#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the run
# command need and this machine lacks, and any further packages named on the
# command line (the measuring scripts' extras). Safe to run again: it
# installs nothing when everything is present. Works as root, or through sudo
# for a user.
#
#   scripts/install-deps.sh [PACKAGE...]
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ libgtest-dev libstb-dev
  # the engine's benchmark (optional: it is built only when this is installed)
  libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  # the core as 32-bit x86 code (the i386 preset): 32-bit libraries, the
  # emulator that runs them here, GoogleTest's sources to build it for them
  gcc-multilib g++-multilib qemu-user googletest
  # run under Wine on a virtual display, and look at what it shows
  wine wine64 xvfb xauth x11-utils imagemagick xdotool
  # the 256-colour test's helper that installs colormaps (testing/x11)
  libx11-dev
  # two monitors side by side: X.Org with its dummy video driver
  xserver-xorg-core xserver-xorg-video-dummy
  # the configuration dialog's Japanese texts
  fonts-ipafont-gothic
  # the installer (makensis)
  nsis
  # test scripts; lnkinfo reads the shortcuts that the installer makes
  python3 file liblnk-utils
  # the caller's own
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
