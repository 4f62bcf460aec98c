# Shared by the real-window tests (real_*_test.sh): sourced by each script, and again by the
# shell it runs under xvfb-run. Every wait is on the state it is about, with a limit.
# Each script gives xvfb-run its own -n to start its search for a free display from: two
# xvfb-run -a started at once may otherwise take the same one, and each test would then drive
# the other's window.
export QT_QPA_PLATFORM=xcb # a real X server, whatever the caller's environment says

# wait_for SECONDS COMMAND...: COMMAND again every tenth of a second until it succeeds; fails
# once SECONDS have gone by.
wait_for() {
  local tries=$(($1 * 10))
  shift
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

# The application's visible windows, each open menu among them.
app_windows() { xdotool search --onlyvisible --class '^framepicker$' 2>/dev/null; }

# window_of_type TYPE: prints the application's visible window of that _NET_WM_WINDOW_TYPE
# (NORMAL for the main window, DIALOG for the About window); fails while there is none.
window_of_type() {
  local window
  for window in $(app_windows); do
    xprop -id "$window" _NET_WM_WINDOW_TYPE | grep -qw "_NET_WM_WINDOW_TYPE_$1" && { echo "$window"; return 0; }
  done
  return 1
}

# ended PID: the process is gone.
ended() { ! kill -0 "$1" 2>/dev/null; }

# at_least NUMBER MINIMUM
at_least() { awk -v n="$1" -v m="$2" 'BEGIN{ exit !(n >= m) }'; }

# colour_pixels IMAGE COLOUR: how many of its pixels are within 12% of COLOUR.
colour_pixels() {
  convert "$1" -fuzz 12% -fill black +opaque "$2" -fill white -opaque "$2" -format "%[fx:mean*w*h]" info:
}

# spread IMAGE [GEOMETRY]: the standard deviation of its grey levels (of the part at GEOMETRY);
# 0 for a blank picture.
spread() { convert "$1" ${2:+-crop "$2"} -colorspace gray -format "%[fx:standard_deviation]" info:; }

# shows COLOUR IMAGE: a screenshot into IMAGE; true when 20 or more of its pixels are COLOUR.
shows() { import -window root "$2" && at_least "$(colour_pixels "$2" "$1")" 20; }
