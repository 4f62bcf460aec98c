#!/usr/bin/env bash
# Starts the real framepicker with a long video in a real X server (Xvfb) and closes its only
# window while the video is being decoded: the process ends at once, its worker with it, and
# no images are written after the window is gone.
#   real_quit_test.sh FRAMEPICKER
set -euo pipefail
export QT_QPA_PLATFORM=xcb # a real X server, whatever the caller's environment says
app=$1
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
video="$work/long.mp4" # about three seconds of decoding, to the last of 600 grainy frames
ffmpeg -v error -f lavfi -i testsrc2=s=640x480:r=30 -frames:v 600 -vf noise=alls=30:allf=t \
  -c:v libx264 -preset ultrafast -g 1000 -pix_fmt yuv420p "$video"
export app video work
# Each script starts its search for a free display elsewhere: two xvfb-run -a started at once
# may otherwise take the same one, and each test would then drive the other's window.
xvfb-run -a -n 130 -s "-screen 0 640x480x24" bash -c '
  HOME="$work" "$app" "$video" & pid=$!
  for i in $(seq 100); do window=$(xdotool search --onlyvisible --name "^Framepicker$" 2>/dev/null | head -1) && [ -n "$window" ] && break; sleep 0.1; done
  # The job is under way once the worker server (the one child of the application) has a
  # child of its own decoding the video.
  for i in $(seq 200); do
    server=$(pgrep -P $pid | head -1); [ -n "$server" ] && pgrep -P "$server" >/dev/null && break; sleep 0.05
  done
  pgrep -P "$server" >"$work/decoding" || { echo "no decoding worker seen"; exit 1; }
  # Close Window (Ctrl+W), again until the window has gone: keys sent before it takes the
  # keyboard are lost.
  for i in $(seq 25); do
    xdotool windowfocus --sync "$window" 2>/dev/null; xdotool key ctrl+w; sleep 0.2
    xdotool search --onlyvisible --name "^Framepicker$" >/dev/null 2>&1 || break
  done
  for i in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.05; done
  kill -0 $pid 2>/dev/null && { echo "still running 5 s after its last window closed"; kill $pid; exit 1; }
  wait $pid || true
  for child in $(cat "$work/decoding"); do
    ! kill -0 "$child" 2>/dev/null || [ "$(ps -o stat= -p "$child")" = Z ] || { echo "worker $child still runs"; exit 1; }
  done'
sleep 4 # the rest of the job, had it gone on
[ ! -e "$work/long" ] || { echo "images were written after the window closed"; ls -la "$work/long"; exit 1; }
echo "closed mid-job: process and worker gone, nothing written"
