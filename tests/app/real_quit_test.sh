#!/usr/bin/env bash
# Starts the real framepicker with a long video in a real X server (Xvfb), twice. The first
# time Escape stops the job while the video is being decoded: the decoding child ends at once,
# the window, titled after the video, stays. The second time its only window is closed mid-job:
# the process ends at once, its worker with it. Neither writes any image.
#   real_quit_test.sh FRAMEPICKER
set -euo pipefail
lib=$(dirname "$0")/xvfb_lib.sh; . "$lib"
app=$1
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
video="$work/long.mp4" # several seconds of decoding, to the last of 1500 grainy frames
ffmpeg -v error -f lavfi -i testsrc2=s=640x480:r=30 -frames:v 1500 -vf noise=alls=30:allf=t \
  -c:v libx264 -preset ultrafast -g 1000 -pix_fmt yuv420p "$video"
export app video work lib
xvfb-run -a -n 130 -s "-screen 0 640x480x24" bash -c '
  . "$lib"
  # The job is under way once the worker server (the one child of the application) has a
  # child of its own decoding the video.
  decoding() { server=$(pgrep -P $pid | head -1) && [ -n "$server" ] && pgrep -P "$server" >"$work/decoding"; }
  # Keys again until they have done their part: keys sent before the window takes the
  # keyboard are lost.
  press() { for i in $(seq 5); do xdotool windowfocus --sync "$window" 2>/dev/null; xdotool key "$1"; wait_for 1 "${@:2}" && return; done; return 1; }

  HOME="$work" "$app" "$video" & pid=$!
  window=$(wait_for 10 window_of_type NORMAL) || echo "no window shown"
  wait_for 10 decoding || { echo "no decoding worker seen"; exit 1; }
  [ "$(xdotool getwindowname "$window")" = "long — Framepicker" ] || { echo "title: $(xdotool getwindowname "$window")"; exit 1; }
  stopped() { ! pgrep -P "$server" >/dev/null; }
  press Escape stopped || { echo "Escape left the decoding child running"; exit 1; }
  ended $pid && { echo "Escape ended the program"; exit 1; }
  kill $pid; wait $pid || true

  HOME="$work" "$app" "$video" & pid=$!
  window=$(wait_for 10 window_of_type NORMAL) || echo "no window shown"
  wait_for 10 decoding || { echo "no decoding worker seen"; exit 1; }
  closed() { ! window_of_type NORMAL >/dev/null; }
  press ctrl+w closed || echo "the window did not close"
  wait_for 5 ended $pid || { echo "still running 5 s after its last window closed"; kill $pid; exit 1; }
  wait $pid || true
  for child in $(cat "$work/decoding"); do
    ended "$child" || [[ "$(ps -o stat= -p "$child")" == Z* ]] || { echo "worker $child still runs"; exit 1; }
  done'
# The application writes the images itself (its workers only decode), and it is gone.
[ ! -e "$work/long" ] || { echo "images were written after the window closed"; ls -la "$work/long"; exit 1; }
echo "cancelled mid-job, then closed mid-job: the worker gone each time, nothing written"
