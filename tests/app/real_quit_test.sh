#!/usr/bin/env bash
# Starts the real framepicker with a long video in a real X server (Xvfb) and closes its only
# window while the video is being decoded: the process ends at once, its worker with it, and
# no images are written after the window is gone.
#   real_quit_test.sh FRAMEPICKER
set -euo pipefail
lib=$(dirname "$0")/xvfb_lib.sh; . "$lib"
app=$1
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
video="$work/long.mp4" # about three seconds of decoding, to the last of 600 grainy frames
ffmpeg -v error -f lavfi -i testsrc2=s=640x480:r=30 -frames:v 600 -vf noise=alls=30:allf=t \
  -c:v libx264 -preset ultrafast -g 1000 -pix_fmt yuv420p "$video"
export app video work lib
xvfb-run -a -n 130 -s "-screen 0 640x480x24" bash -c '
  . "$lib"
  HOME="$work" "$app" "$video" & pid=$!
  window=$(wait_for 10 window_of_type NORMAL) || echo "no window shown"
  # The job is under way once the worker server (the one child of the application) has a
  # child of its own decoding the video.
  decoding() { server=$(pgrep -P $pid | head -1) && pgrep -P "$server" >"$work/decoding"; }
  wait_for 10 decoding || { echo "no decoding worker seen"; exit 1; }
  # Close Window (Ctrl+W), again until the window has gone: keys sent before it takes the
  # keyboard are lost.
  closed() { ! xdotool search --onlyvisible --name "^Framepicker$" >/dev/null 2>&1; }
  for i in $(seq 5); do
    xdotool windowfocus --sync "$window" 2>/dev/null; xdotool key ctrl+w
    wait_for 1 closed && break
  done
  wait_for 5 ended $pid || { echo "still running 5 s after its last window closed"; kill $pid; exit 1; }
  wait $pid || true
  for child in $(cat "$work/decoding"); do
    ended "$child" || [[ "$(ps -o stat= -p "$child")" == Z* ]] || { echo "worker $child still runs"; exit 1; }
  done'
# The application writes the images itself (its workers only decode), and it is gone.
[ ! -e "$work/long" ] || { echo "images were written after the window closed"; ls -la "$work/long"; exit 1; }
echo "closed mid-job: process and worker gone, nothing written"
