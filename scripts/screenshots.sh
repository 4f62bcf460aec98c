#!/usr/bin/env bash
# Screenshots of the main window's four states (idle, processing with its progress, done with
# the two images, error) and of the About window, in every language, in a real X server (Xvfb):
#   OUT/<lang>-<state>.png         Qt's default font (9 pt) and light palette
#   OUT/<lang>-<state>-11pt.png    the desktop's font at 11 pt (GTK settings, Qt's gtk3 theme)
#   OUT/<lang>-<state>-14pt.png    at 14 pt (done, error and About)
#   OUT/<lang>-<state>-dark.png    a dark GTK theme (done, error and About)
#   OUT/<lang>-<state>-2x.png      QT_SCALE_FACTOR=2, English and German
# Each picture's size is printed; the metadata's screenshots are en-done, en-error and en-about.
#   scripts/screenshots.sh [OUT] [BUILD]   (default build/screenshots and build; needs xvfb,
#                                           xdotool, x11-utils, imagemagick, qt6-gtk-platformtheme)
set -euo pipefail
fail() { echo "screenshots.sh: $*" >&2; exit 1; }
script=$(realpath "$0")

shots() {
  set -E; trap 'echo "screenshots.sh: stopped at line $LINENO: $BASH_COMMAND" >&2' ERR
  . "$lib"
  timeout 10 xdpyinfo >/dev/null || fail "cannot open the display $DISPLAY"
  # HOME is a plain /home/NAME when the system lets this script have a mount namespace of its
  # own (the rest of /home bound back in place), else the temporary folder.
  export HOME=$work/home
  if [ "${in_namespace:-}" = 1 ]; then
    mkdir "$work/real-home" && mount --rbind /home "$work/real-home" && mount -t tmpfs tmpfs /home
    for entry in "$work/real-home"/*; do
      [ -e "$entry" ] || continue
      mkdir "/home/${entry##*/}" && mount --rbind "$entry" "/home/${entry##*/}"
    done
    mkdir -p /home/sam && mount --bind "$work/home" /home/sam && export HOME=/home/sam
  fi
  unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_CURRENT_DESKTOP
  export NO_AT_BRIDGE=1 # GTK, loaded by the gtk3 theme, looks for no accessibility bus
  videos=$HOME/Videos

  # shoot NAME STATES ARGS...: starts the application with ARGS and takes each of STATES (a
  # comma-separated list) as OUT/<lang>-<state>NAME.png once the window shows it.
  shoot() {
    local suffix=$1 states=$2; shift 2
    "$app" "$@" 2>"$work/stderr" & local pid=$!
    local window type=NORMAL
    case $states in about) type=DIALOG ;; esac
    if ! window=$(wait_for 15 window_of_type $type); then
      kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true
      cat "$work/stderr" >&2
      fail "$LANGUAGE$suffix: the window never appeared"
    fi
    local state
    for state in ${states//,/ }; do
      case $state in
        processing) sleep 2.5 ;; # past the two seconds after which the time left shows
        done) wait_for 60 test -f "$videos/Summer holiday/last.png" || fail "$LANGUAGE$suffix: the job never finished"
              wait_for 10 shows "#28A745" "$work/root.png" || echo "$LANGUAGE$suffix: no check mark seen" >&2; sleep 0.3 ;;
        error) wait_for 10 shows "#E02F2F" "$work/root.png" || echo "$LANGUAGE$suffix: no red cross seen" >&2; sleep 0.3 ;;
        *) sleep 1.5 ;; # idle and About: nothing to wait for but the first paint
      esac
      timeout 10 import -window "$window" "$out/$LANGUAGE-$state$suffix.png" || fail "could not take $LANGUAGE-$state$suffix.png"
    done
    # Stopped as a session's end stops it; how it ended is said when it ended otherwise.
    local status=0
    kill $pid 2>/dev/null || echo "$LANGUAGE$suffix: the application had ended by itself" >&2
    wait $pid 2>/dev/null || status=$?
    [ $status = 0 ] || [ $status = 143 ] || echo "$LANGUAGE-$states$suffix: the application ended with status $status" >&2
    rm -rf "$videos/Summer holiday"
  }

  # variant SUFFIX STATES...: each language's STATES (idle, processing, done, error, about)
  # with the environment as it is set for SUFFIX. The done state comes after the processing
  # one in the same run, of a 2-minute video; alone, of a short one, which takes less time.
  variant() {
    local suffix=$1 states=" ${*:2} " lang
    for lang in en de fr es ja zh_CN; do
      [ "$suffix" != -2x ] || [ $lang = en ] || [ $lang = de ] || continue
      export LANGUAGE=$lang LANG=$lang.UTF-8
      [[ $states != *" idle "* ]] || shoot "$suffix" idle
      if [[ $states == *" processing "* ]]; then
        ln -f "$videos/.long.mp4" "$videos/Summer holiday.mp4"
        if [[ $states == *" done "* ]]; then shoot "$suffix" processing,done "$videos/Summer holiday.mp4"
        else shoot "$suffix" processing "$videos/Summer holiday.mp4"; fi
      elif [[ $states == *" done "* ]]; then
        ln -f "$videos/.short.mp4" "$videos/Summer holiday.mp4"
        shoot "$suffix" done "$videos/Summer holiday.mp4"
      fi
      [[ $states != *" error "* ]] || shoot "$suffix" error "$videos/Summer holiday (broken).mp4"
      [[ $states != *" about "* ]] || shoot "$suffix" about --about
    done
  }
  # gtk_settings FONT_SIZE DARK: the desktop's choices, as Qt's gtk3 theme reads them.
  gtk_settings() {
    mkdir -p "$HOME/.config/gtk-3.0"
    printf '[Settings]\ngtk-font-name = DejaVu Sans %s\ngtk-application-prefer-dark-theme = %s\ngtk-theme-name = %s\n' \
      "$1" "$2" "$([ "$2" = 1 ] && echo Adwaita-dark || echo Adwaita)" >"$HOME/.config/gtk-3.0/settings.ini"
  }

  unset QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR QT_FONT_DPI QT_STYLE_OVERRIDE
  variant "" idle processing done error about
  QT_SCALE_FACTOR=2 variant -2x idle done error about
  export QT_QPA_PLATFORMTHEME=gtk3
  gtk_settings 11 0; variant -11pt idle processing done error about
  gtk_settings 14 0; variant -14pt done error about
  gtk_settings 9 1; variant -dark done error about
}
[ "${1:-}" != --in-display ] || { shots; exit; }

cd "$(dirname "$0")/.."
lib=$PWD/tests/app/xvfb_lib.sh # wait_for, window_of_type, shows
out=$(realpath -m "${1:-build/screenshots}")
app=$(realpath -m "${2:-build}")/src/app/framepicker
[ -x "$app" ] || fail "no $app: build first (scripts/setup.sh)"
for tool in xvfb-run xdotool xprop xdpyinfo import convert identify ffmpeg timeout; do
  command -v $tool >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done
ls /usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so >/dev/null 2>&1 \
  || fail "Qt's gtk3 platform theme is missing (package qt6-gtk-platformtheme), which the 11 pt, 14 pt and dark pictures need"
mkdir -p "$out"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
# The user's home, as the window shows it: the video is ~/Videos/Summer holiday.mp4.
mkdir -p "$work/home/Videos"
# One key frame for 2 minutes of 1080p, so finding the last frame takes a few seconds; and
# 5 seconds of it for the pictures of the done state alone. Each is linked in as "Summer
# holiday.mp4" for its run.
ffmpeg -v error -f lavfi -i testsrc2=s=1920x1080:r=30:d=120 -c:v libx264 -preset ultrafast -g 100000 -pix_fmt yuv420p "$work/home/Videos/.long.mp4"
ffmpeg -v error -i "$work/home/Videos/.long.mp4" -t 5 -c copy "$work/home/Videos/.short.mp4"
printf 'not a video at all' >"$work/home/Videos/Summer holiday (broken).mp4"

export QT_QPA_PLATFORM=xcb app work out lib
# A display of its own, searched for from 200 up, away from the tests' (110 to 160, which may
# run meanwhile); a mount namespace of its own too where unprivileged ones are allowed.
in_namespace=0
unshare -rm true 2>/dev/null && in_namespace=1
export in_namespace
run=(xvfb-run -a -n 200 -s "-screen 0 1600x1200x24" bash "$script" --in-display)
[ $in_namespace = 0 ] || run=(unshare -rm "${run[@]}")
"${run[@]}" || fail "stopped before every picture was taken"
cd "$out" && identify -format '%f %w x %h\n' ./*.png | sed 's|^\./||'
echo "For the metadata: $(identify -format '%f %w x %h; ' en-done.png en-error.png en-about.png)"
