#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Does nothing (and touches no network) when every package is already present.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build ccache
  qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev libqt5webkit5-dev
  tzdata
  # The window checks: a virtual display, window lookup and keys, screenshots.
  xvfb xauth xdotool imagemagick
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
