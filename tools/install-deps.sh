#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the editor need
# and this machine lacks. Run as root.
set -euo pipefail
packages=(build-essential cmake qt6-base-dev qt6-base-dev-tools libgl-dev libbenchmark-dev
          xvfb xauth xdotool x11-utils fonts-wqy-microhei fonts-dejavu-core fonts-symbola
          clang libclang-rt-14-dev lua5.4 liblua5.4-dev pkg-config qt6-translations-l10n
          desktop-file-utils appstream librsvg2-bin)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
