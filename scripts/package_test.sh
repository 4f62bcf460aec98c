#!/usr/bin/env bash
# Builds the Debian package from build/, checks it with lintian (no error or warning), the
# desktop entry with desktop-file-validate and the AppStream metadata with appstreamcli,
# installs it with apt-get as a user would, and runs the installed framepicker-cli on a
# generated video. Needs root (or sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
missing=()
for p in lintian desktop-file-utils appstream; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
rm -f build/framepicker_*.deb
(cd build && cpack -G DEB >/dev/null)
package=$(ls build/framepicker_*.deb | head -1)
findings=$(lintian --tag-display-limit 0 "$package" 2>&1 | grep -E '^[EW]: ' || true)
[ -z "$findings" ] || { echo "package test: lintian:"; echo "$findings"; exit 1; } >&2
desktop-file-validate data/app.korvane.Framepicker.desktop
# The installed tree as a software centre reads it: metainfo, desktop entry and icon together.
tree=$(mktemp -d); dpkg-deb -x "$package" "$tree"
appstreamcli validate-tree --no-net "$tree" >/dev/null || { appstreamcli validate-tree --no-net "$tree"; exit 1; }
rm -rf "$tree"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "./$package" >/dev/null
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
ffmpeg -v error -f lavfi -i testsrc2=s=320x240:r=25:d=2 -pix_fmt yuv420p "$work/clip.mp4"
out=$(/usr/bin/framepicker-cli "$work/clip.mp4")
[ "$out" = "$work/clip" ] && [ -s "$work/clip/first.png" ] && [ -s "$work/clip/last.png" ] || {
  echo "package test: the installed framepicker-cli did not write the images" >&2; exit 1; }
/usr/bin/framepicker-cli --version | grep -q "^worker confinement: [^u]" || {
  echo "package test: the installed worker does not report its confinement" >&2; exit 1; }
for f in /usr/bin/framepicker /usr/libexec/framepicker/framepicker-worker /usr/share/applications/app.korvane.Framepicker.desktop \
         /usr/share/metainfo/app.korvane.Framepicker.metainfo.xml /usr/share/man/man1/framepicker-cli.1.gz \
         /usr/share/icons/hicolor/scalable/apps/app.korvane.Framepicker.svg \
         /usr/share/icons/hicolor/48x48/apps/app.korvane.Framepicker.png; do
  [ -e "$f" ] || { echo "package test: $f is missing" >&2; exit 1; }
done
echo "package test: $package installs and works"
