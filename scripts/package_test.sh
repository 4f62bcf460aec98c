#!/usr/bin/env bash
# Builds the Debian package from build/, installs it with apt-get as a user would, and
# runs the installed framepicker-cli on a generated video. Needs root (or sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
(cd build && cpack -G DEB >/dev/null)
package=$(ls build/framepicker_*.deb | head -1)
sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "./$package" >/dev/null
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
ffmpeg -v error -f lavfi -i testsrc2=s=320x240:r=25:d=2 -pix_fmt yuv420p "$work/clip.mp4"
out=$(/usr/bin/framepicker-cli "$work/clip.mp4")
[ "$out" = "$work/clip" ] && [ -s "$work/clip/first.png" ] && [ -s "$work/clip/last.png" ] || {
  echo "package test: the installed framepicker-cli did not write the images" >&2; exit 1; }
for f in /usr/bin/framepicker /usr/share/applications/app.korvane.Framepicker.desktop \
         /usr/share/icons/hicolor/scalable/apps/app.korvane.Framepicker.svg \
         /usr/share/icons/hicolor/48x48/apps/app.korvane.Framepicker.png; do
  [ -e "$f" ] || { echo "package test: $f is missing" >&2; exit 1; }
done
echo "package test: $package installs and works"
