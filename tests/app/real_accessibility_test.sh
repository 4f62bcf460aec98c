#!/usr/bin/env bash
# Starts the real framepicker in a real X server (Xvfb), in a D-Bus session of its own with
# the AT-SPI bus, and reads what a screen reader gets from it (accessible_tree.py): the idle
# window, an error that offers another folder, the done state and the About window. Exits 77
# (skipped) only where AT-SPI cannot start.
#   real_accessibility_test.sh FRAMEPICKER
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
lib=$here/xvfb_lib.sh; . "$lib"
tree=$here/accessible_tree.py
unset LC_ALL LC_MESSAGES; export LANG=en_US.UTF-8 LANGUAGE=en
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export QT_QPA_PLATFORMTHEME=generic # Qt's own dialogs, in the tree read here, whatever the desktop
if ! command -v dbus-run-session >/dev/null || [ ! -x /usr/libexec/at-spi-bus-launcher ] \
  || ! /usr/bin/python3 -c "import gi; gi.require_version('Atspi', '2.0')" 2>/dev/null; then
  echo "SKIPPED: no AT-SPI here (dbus, at-spi2-core, python3-gi and gir1.2-atspi-2.0)"
  exit 77
fi
app=$1
work=$(mktemp -d); trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
mkdir "$work/home" "$work/card"
ffmpeg -v error -f lavfi -i testsrc2=s=320x240:r=30:d=1 -pix_fmt yuv420p "$work/clip.mp4"
# A long name, so that the error takes two lines. The folder named after it cannot be
# written: another user's (chmod does not stop root), or in a folder the user may not write.
long="Sommer am See mit der ganzen Familie und den Hunden"
cp "$work/clip.mp4" "$work/card/$long.mp4"
if [ "$(id -u)" -eq 0 ]; then
  mkdir "$work/card/$long" && chown nobody "$work/card/$long"
else
  chmod a-w "$work/card"
fi
export app work lib tree long
xvfb-run -a -n 160 -s "-screen 0 640x480x24" dbus-run-session -- bash -c '
  . "$lib"
  "$tree" bus >/dev/null 2>&1 || { echo "SKIPPED: the AT-SPI bus did not start"; exit 77; }
  failed=0
  # check STATE FOLDER [ARGUMENT...]: the tree of a framepicker started with the arguments.
  check() {
    local state=$1 folder=$2
    shift 2
    HOME="$work/home" "$app" "$@" 2>>"$work/stderr" & pid=$!
    timeout 90 "$tree" "$state" "$folder" || failed=1
    kill $pid; wait $pid || true
  }
  check idle ""
  check error "" "$work/card/$long.mp4"
  check done "$work/clip" "$work/clip.mp4"
  check about "" --about
  exit $failed' 2> >(grep -v -E "dbus-daemon|SpiRegistry|XDG_RUNTIME_DIR" >&2)
