#!/usr/bin/env bash
# Screenshots of the main window's four states (idle, processing with its progress, done with
# the two images, error) and of the About window, in every language, in a real X server (Xvfb): OUT/<lang>-<state>.png.
#   scripts/screenshots.sh [OUT]   (default build/screenshots; needs a build and xvfb, xdotool)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshots}"); mkdir -p "$out"
app=$PWD/build/src/app/framepicker
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
# One key frame for 2 minutes of 1080p, so finding the last frame takes a few seconds.
ffmpeg -v error -f lavfi -i testsrc2=s=1920x1080:r=30:d=120 -c:v libx264 -preset veryfast -g 100000 -pix_fmt yuv420p "$work/Summer holiday.mp4"
printf 'not a video at all' >"$work/Summer holiday (broken).mp4"
export QT_QPA_PLATFORM=xcb app work out
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  shoot() { # shoot NAME ARGS...: starts the app, waits for its window, takes it when the state is there
    local name=$1; shift
    HOME="$work" "$app" "$@" & local pid=$!
    local window=""
    for i in $(seq 100); do window=$(xdotool search --onlyvisible --name "Framepicker$" 2>/dev/null | head -1) && [ -n "$window" ] && break; sleep 0.1; done
    case $name in
      *-processing) sleep 2.5 ;;
      *-done) for i in $(seq 300); do [ -f "$work/Summer holiday/last.png" ] && break; sleep 0.1; done; sleep 0.5 ;;
      *) sleep 1.5 ;;
    esac
    # The window asked for: the About window is the one 320 wide.
    for w in $(xdotool search --onlyvisible --class framepicker); do
      eval "$(xdotool getwindowgeometry --shell "$w")"
      case $name in *-about) [ "$WIDTH" = 320 ] && window=$w ;; esac
    done
    import -window "$window" "$out/$name.png"
    kill $pid; wait $pid 2>/dev/null || true
    rm -rf "$work/Summer holiday"
  }
  for lang in en de fr es ja zh_CN; do
    export LANGUAGE=$lang LANG=$lang.UTF-8
    shoot $lang-idle
    shoot $lang-processing "$work/Summer holiday.mp4"
    shoot $lang-done "$work/Summer holiday.mp4"
    shoot $lang-error "$work/Summer holiday (broken).mp4"
    shoot $lang-about --about
  done'
ls "$out"
