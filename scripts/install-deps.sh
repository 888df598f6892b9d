#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Does nothing (and touches no network) when every package is already present.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build ccache lld pkg-config
  liburing-dev               # batched socket I/O on the device link's threads
  qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev libqt5webkit5-dev
  tzdata
  xdg-utils                  # xdg-open: folders, documents and help pages open with the desktop's handler
  iproute2                   # loopback up in the private network namespaces of address-search tests
  python3-aiosmtpd openssl   # the mail tests: SMTP server, throwaway certificates
  dovecot-core dovecot-pop3d # the mail tests: POP3 server
  # The window checks: a virtual display, window lookup and keys, screenshots.
  xvfb xauth xdotool imagemagick
  python3-xlib               # closes windows the way a window manager does (WM_DELETE_WINDOW)
)

# The packaged dovecot listens on port 110 of every address, which would keep
# the tests' private POP3 servers from binding theirs: stop it and keep it off.
stop_packaged_dovecot() {
  [ -x /etc/init.d/dovecot ] || return 0
  local sudo=
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; fi
  if [ -d /run/systemd/system ]; then
    $sudo systemctl disable --now dovecot.service dovecot.socket >/dev/null 2>&1 || true
  else
    $sudo /etc/init.d/dovecot stop >/dev/null 2>&1 || true
    $sudo update-rc.d dovecot disable >/dev/null 2>&1 || true
  fi
}

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  stop_packaged_dovecot
  exit 0
fi

SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
stop_packaged_dovecot
