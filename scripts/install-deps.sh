#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the player need; skips what is present.
# `install-deps.sh fuzz` also installs clang and its libFuzzer runtime for `make fuzz`.
set -euo pipefail
pkgs=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev
      qt6-base-dev qt6-multimedia-dev libmpv-dev libjack-jackd2-dev
      gstreamer1.0-plugins-base gstreamer1.0-plugins-good
      xvfb xauth fonts-wqy-microhei xdotool imagemagick
      sox libsox-fmt-mp3 lame ffmpeg zlib1g-dev
      libpulse-dev pulseaudio pulseaudio-utils qt6-translations-l10n
      python3-mutagen desktop-file-utils appstream dbus dbus-daemon playerctl)
[ "${1:-}" = fuzz ] && pkgs+=(clang libclang-rt-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
