#!/usr/bin/env bash
# Starts the real framepicker in a German session in a real X server (Xvfb) with a broken
# video, as "Open With" does. The status line's context menu copies its text, which must be
# the German sentence naming the file, its reason in German too; the red cross is drawn and
# the window has its icon.
#   real_error_test.sh FRAMEPICKER [SCREENSHOT_COPY]
set -euo pipefail
lib=$(dirname "$0")/xvfb_lib.sh; . "$lib"
unset LC_ALL LC_MESSAGES; export LANG=de_DE.UTF-8 LANGUAGE=de
app=$1; keep=${2:-}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
printf 'not a video at all' >"$work/kaputt.mp4"
export app work lib
xvfb-run -a -n 120 -s "-screen 0 640x480x24" bash -c '
  . "$lib"
  HOME="$work" "$app" "$work/kaputt.mp4" 2>"$work/stderr" & pid=$!
  window=$(wait_for 10 window_of_type NORMAL) || echo "no window shown"
  # The error is shown once the red cross is drawn.
  wait_for 10 shows "#E02F2F" "$work/shot.png" || echo "no red cross drawn"
  xprop -id "$window" _NET_WM_ICON | head -c 120 >"$work/icon"; echo >>"$work/icon"
  # The status line is 32 high at the bottom of the 400 x 300 content, under the menu bar.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  menu_open() { [ "$(app_windows | wc -l)" -gt 1 ]; }
  copied() { xclip -o -selection clipboard >"$work/copied" 2>/dev/null && [ -s "$work/copied" ]; }
  # Again until the clipboard holds the text: a click or keys that come before the window or
  # the menu takes them are lost.
  for i in $(seq 5); do
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 20)) click 3
    wait_for 2 menu_open && xdotool key Down Return && wait_for 2 copied && break
    xdotool key Escape
  done
  kill $pid; wait $pid || true'
[ -z "$keep" ] || cp "$work/shot.png" "$keep"
echo "copied: $(cat "$work/copied")"
grep -v XGetInputFocus "$work/stderr" || true # what the application said, if anything
echo "icon: $(cat "$work/icon")"
grep -q "„kaputt.mp4“ konnte nicht als Video gelesen werden (ungültige Daten)." "$work/copied"
grep -q "Icon (16 x 16)" "$work/icon"
red=$(colour_pixels "$work/shot.png" "#E02F2F")
echo "red pixels $red"
at_least "$red" 20
