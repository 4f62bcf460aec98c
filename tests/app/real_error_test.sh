#!/usr/bin/env bash
# Starts the real framepicker in a German session in a real X server (Xvfb) with a broken
# video, as "Open With" does. The status line's context menu copies its text, which must be
# the German sentence naming the file, its reason in German too; the red cross is drawn and
# the window has its icon.
#   real_error_test.sh FRAMEPICKER [SCREENSHOT_COPY]
set -euo pipefail
export QT_QPA_PLATFORM=xcb # a real X server, whatever the caller's environment says
unset LC_ALL LC_MESSAGES; export LANG=de_DE.UTF-8 LANGUAGE=de
app=$1; keep=${2:-}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
printf 'not a video at all' >"$work/kaputt.mp4"
export app work
# Each script starts its search for a free display elsewhere: two xvfb-run -a started at once
# may otherwise take the same one, and each test would then drive the other's window.
xvfb-run -a -n 120 -s "-screen 0 640x480x24" bash -c '
  HOME="$work" "$app" "$work/kaputt.mp4" 2>"$work/stderr" & pid=$!
  for i in $(seq 100); do window=$(xdotool search --onlyvisible --name "^Framepicker$" 2>/dev/null | head -1) && [ -n "$window" ] && break; sleep 0.1; done
  # The error is shown once the red cross is drawn.
  for i in $(seq 100); do
    import -window root "$work/shot.png"
    red=$(convert "$work/shot.png" -fuzz 12% -fill black +opaque "#E02F2F" -fill white -opaque "#E02F2F" -format "%[fx:mean*w*h]" info:)
    awk -v r="$red" "BEGIN{ exit !(r >= 20) }" && break; sleep 0.1
  done
  xprop -id "$window" _NET_WM_ICON | head -c 120 >"$work/icon"; echo >>"$work/icon"
  # The status line is 32 high at the bottom of the 400 x 300 content, under the menu bar.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  # Again until the clipboard holds the text: keys sent before the menu is up are lost.
  for i in $(seq 20); do
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 20)) click 3
    sleep 0.3; xdotool key Down Return; sleep 0.2
    xclip -o -selection clipboard >"$work/copied" 2>/dev/null && [ -s "$work/copied" ] && break
    xdotool key Escape
  done
  kill $pid; wait $pid || true'
[ -z "$keep" ] || cp "$work/shot.png" "$keep"
echo "copied: $(cat "$work/copied")"
grep -v XGetInputFocus "$work/stderr" || true # what the application said, if anything
echo "icon: $(cat "$work/icon")"
grep -q "„kaputt.mp4“ konnte nicht als Video gelesen werden (ungültige Daten)." "$work/copied"
grep -q "Icon (16 x 16)" "$work/icon"
red=$(convert "$work/shot.png" -fuzz 12% -fill black +opaque "#E02F2F" -fill white -opaque "#E02F2F" \
      -format "%[fx:mean*w*h]" info:)
echo "red pixels $red"
awk -v r="$red" 'BEGIN{ exit !(r >= 20) }'
