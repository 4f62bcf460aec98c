#!/usr/bin/env bash
# Installs what is missing on Debian 12 and builds Framepicker into build/.
#   scripts/setup.sh run [VIDEO]      build, then start Framepicker (with the video, if given)
#   scripts/setup.sh test             build, then run the whole test suite
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(cmake g++ pkg-config ninja-build libavformat-dev libavcodec-dev libavfilter-dev libavutil-dev libswscale-dev
          libpng-dev libseccomp-dev libgtest-dev ffmpeg qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
          libgl1-mesa-dev shared-mime-info xvfb xauth xdotool xclip x11-utils tmux imagemagick fonts-noto-color-emoji dpkg-dev
          appstream desktop-file-utils qt6-gtk-platformtheme at-spi2-core dbus-daemon python3-gi gir1.2-atspi-2.0)
missing=()
for p in "${packages[@]}"; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
case "${1:-run}" in
  run) shift || true; exec build/src/app/framepicker "$@" ;;
  test) cd build && exec ctest --output-on-failure -j2 ;;
  *) echo "usage: $0 run [VIDEO...] | test" >&2; exit 2 ;;
esac
