#!/usr/bin/env bash
# The whole test suite on Debian 13 (FFmpeg 7.1, Qt 6.8): makes a Debian 13 root with
# mmdebstrap from Debian's package registry, copies this tree into it and runs
# `scripts/setup.sh test` there, which installs the build and test packages, builds and
# runs every test; then validates the AppStream metadata and the desktop entry with
# Debian 13's tools. Needs root (or sudo); the root is removed afterwards.
#   scripts/debian13_test.sh [MIRROR]   (default http://deb.debian.org/debian)
set -euo pipefail
cd "$(dirname "$0")/.."
mirror=${1:-http://deb.debian.org/debian}
sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! command -v mmdebstrap >/dev/null; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq mmdebstrap >/dev/null
fi
work=$(mktemp -d); trap '$sudo rm -rf "$work"' EXIT
# The tree as git sees it (without builds and bench clips), or as it is outside a checkout.
if git rev-parse --git-dir >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf "$work/source.tar"
else
  tar --exclude='./build*' --exclude=./bench/out -cf "$work/source.tar" .
fi
# The suite runs in a customize hook, where mmdebstrap has mounted /proc, /sys and /dev.
$sudo mmdebstrap --variant=apt --include=ca-certificates,sudo --quiet \
  --customize-hook='mkdir -p "$1/src" && tar -C "$1/src" -xf '"$work/source.tar" \
  --customize-hook='chroot "$1" bash -c "cd /src && scripts/setup.sh test"' \
  --customize-hook='chroot "$1" bash -c "apt-get install -y -qq appstream desktop-file-utils >/dev/null \
      && appstreamcli validate --no-net /src/data/*.metainfo.xml && desktop-file-validate /src/data/*.desktop"' \
  trixie "$work/root" "$mirror"
echo "debian13 test: the whole suite passed on Debian 13"
