#!/usr/bin/env bash
# Starts the real framepicker with a video in a real X server (Xvfb), as "Open With" does,
# waits for the images, takes a screenshot and checks the window shows the done state:
# not blank, and the green of the check mark present.
#   real_window_test.sh FRAMEPICKER SCREENSHOT_COPY
set -euo pipefail
export QT_QPA_PLATFORM=xcb # a real X server, whatever the caller's environment says
app=$1; keep=${2:-}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
video="$work/Sommer am See – Ä.mp4"
ffmpeg -v error -f lavfi -i testsrc2=s=320x240:r=30:d=1 -pix_fmt yuv420p "$video"
export app video work
# Each script starts its search for a free display elsewhere: two xvfb-run -a started at once
# may otherwise take the same one, and each test would then drive the other's window.
xvfb-run -a -n 140 -s "-screen 0 640x480x24" bash -c '
  HOME="$work" "$app" "$video" & pid=$!
  for i in $(seq 600); do [ -f "$work/Sommer am See – Ä/last.png" ] && break; sleep 0.1; done
  sleep 1
  import -window root "$work/shot.png"
  kill $pid; wait $pid || true'
[ -f "$work/Sommer am See – Ä/first.png" ] || { echo "no first.png written"; exit 1; }
[ -z "$keep" ] || cp "$work/shot.png" "$keep"
spread=$(convert "$work/shot.png" -colorspace gray -format "%[fx:standard_deviation]" info:)
green=$(convert "$work/shot.png" -fuzz 12% -fill black +opaque "#28A745" -fill white -opaque "#28A745" \
        -format "%[fx:mean*w*h]" info:)
echo "spread $spread, green pixels $green"
awk -v s="$spread" -v g="$green" 'BEGIN{ exit !(s > 0.02 && g >= 20) }'
