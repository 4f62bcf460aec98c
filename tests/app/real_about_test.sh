#!/usr/bin/env bash
# Starts the real framepicker with its About window in a real X server (Xvfb) and checks that
# the window is drawn and that its header moves: a later screenshot of it differs from the
# first.
#   real_about_test.sh FRAMEPICKER [SCREENSHOT_COPY]
set -euo pipefail
lib=$(dirname "$0")/xvfb_lib.sh; . "$lib"
app=$1; keep=${2:-}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
export app work lib
xvfb-run -a -n 110 -s "-screen 0 800x600x24" bash -c '
  . "$lib"
  HOME="$work" "$app" --about & pid=$!
  about=$(wait_for 10 window_of_type DIALOG) || { echo "no About window shown"; kill $pid; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$about")"
  # The header is the top 180 of the 420; its top two fifths are header alone.
  window=${WIDTH}x$HEIGHT+$X+$Y header=${WIDTH}x$((HEIGHT * 2 / 5))+$X+$Y
  drawn() { import -window root "$work/shot.png" && at_least "$(spread "$work/shot.png" "$window")" 0.05; }
  header() { import -window root "$work/now.png" && convert "$work/now.png" -crop "$header" +repage "$work/$1"; }
  moved() { header later.png && [ "$(compare -metric AE "$work/first.png" "$work/later.png" null: 2>&1)" != 0 ]; }
  failed=0
  wait_for 10 drawn || { echo "the About window is not drawn"; failed=1; }
  header first.png
  wait_for 10 moved || { echo "the header does not move"; failed=1; }
  kill $pid; wait $pid || true
  exit $failed'
[ -z "$keep" ] || cp "$work/shot.png" "$keep"
echo "drawn, and the header moves"
