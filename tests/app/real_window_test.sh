#!/usr/bin/env bash
# Starts the real framepicker with a video in a real X server (Xvfb), as "Open With" does,
# waits for the done state, takes a screenshot and checks the window shows it: not blank, and
# the green of the check mark present.
#   real_window_test.sh FRAMEPICKER SCREENSHOT_COPY
set -euo pipefail
lib=$(dirname "$0")/xvfb_lib.sh; . "$lib"
app=$1; keep=${2:-}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
video="$work/Sommer am See – Ä.mp4"
ffmpeg -v error -f lavfi -i testsrc2=s=320x240:r=30:d=1 -pix_fmt yuv420p "$video"
export app video work lib
xvfb-run -a -n 140 -s "-screen 0 640x480x24" bash -c '
  . "$lib"
  HOME="$work" "$app" "$video" & pid=$!
  wait_for 10 window_of_type NORMAL >/dev/null || echo "no window shown"
  wait_for 60 shows "#28A745" "$work/shot.png" || echo "no check mark drawn"
  kill $pid; wait $pid || true'
[ -f "$work/Sommer am See – Ä/first.png" ] || { echo "no first.png written"; exit 1; }
[ -z "$keep" ] || cp "$work/shot.png" "$keep"
spread=$(spread "$work/shot.png")
green=$(colour_pixels "$work/shot.png" "#28A745")
echo "spread $spread, green pixels $green"
at_least "$spread" 0.02 && at_least "$green" 20
