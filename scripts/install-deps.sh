#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the player need, only when one is missing.
set -euo pipefail
packages=(cmake g++ pkg-config qt6-base-dev libqt6opengl6-dev libmpv-dev libgl-dev libgtest-dev libuchardet-dev
          ffmpeg mpv xvfb xauth xdotool clang libclang-rt-14-dev fonts-liberation2 fonts-liberation
          libxss-dev dbus-daemon desktop-file-utils dpkg-dev file appstream
          libsm-dev libice-dev libxcb-shm0-dev
          at-spi2-core python3-pyatspi gir1.2-atspi-2.0 dbus-bin)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
