#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the program need,
# asking apt only for those that are missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n libgl-dev
  libcdio-dev libdiscid-dev libxlsxwriter-dev googletest libgtest-dev libbenchmark-dev
  python3 python3-dbfread python3-dbf python3-openpyxl poppler-utils
  xvfb xauth x11-utils
  cups cups-client cups-bsd printer-driver-cups-pdf
  librsvg2-bin dpkg-dev lintian appstream desktop-file-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
