#!/usr/bin/env bash
# Starts the real framepicker with its About window in a real X server (Xvfb), takes a
# screenshot and checks the window is drawn and that emojis drift in the header's sides
# (left and right of the icon and the texts), in at least one of three screenshots.
#   real_about_test.sh FRAMEPICKER [SCREENSHOT_COPY]
set -euo pipefail
export QT_QPA_PLATFORM=xcb # a real X server, whatever the caller's environment says
app=$1; keep=${2:-}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
export app work
# Each script starts its search for a free display elsewhere: two xvfb-run -a started at once
# may otherwise take the same one, and each test would then drive the other's window.
xvfb-run -a -n 110 -s "-screen 0 800x600x24" bash -c '
  HOME="$work" "$app" --about & pid=$!
  sleep 3
  for i in 1 2 3; do import -window root "$work/shot$i.png"; sleep 1.5; done
  cp "$work/shot1.png" "$work/shot.png"
  kill $pid; wait $pid || true'
[ -z "$keep" ] || cp "$work/shot.png" "$keep"
# The About window is centred: 320 x 420 at (240, 90) on this screen; its header is the top 180.
emojis=0
for i in 1 2 3; do
  for side in 90x180+240+90 90x180+470+90; do
    s=$(convert "$work/shot$i.png" -crop $side -colorspace gray -format "%[fx:standard_deviation]" info:)
    emojis=$(awk -v a="$emojis" -v b="$s" 'BEGIN{print (b>a)?b:a}')
  done
done
spread=$(convert "$work/shot.png" -crop 320x420+240+90 -colorspace gray -format "%[fx:standard_deviation]" info:)
echo "header sides spread $emojis, window spread $spread"
awk -v e="$emojis" -v s="$spread" 'BEGIN{ exit !(e > 0.01 && s > 0.05) }'
