#!/usr/bin/env bash
# framepicker-cli on a terminal (a tmux pane) shows the running job's percent while it works
# and leaves only its result lines, also when started in the background or on a terminal too
# narrow for it; with standard error in a pipe, nothing but those lines.
#   cli_progress_tty.sh FRAMEPICKER-CLI
set -euo pipefail
cli=$1
work=$(mktemp -d)
unset TMUX
tmux="tmux -L framepicker-progress-$$ -f /dev/null"
trap '$tmux kill-server 2>/dev/null || true; rm -rf "$work"' EXIT
export LANGUAGE= LC_ALL=C.UTF-8
# About two seconds of decoding: one key frame, so the last frame needs every frame before it.
ffmpeg -v error -f lavfi -i testsrc2=s=1920x1080:r=30 -t 20 -c:v libx264 -preset ultrafast \
  -g 100000 -pix_fmt yuv420p "$work/long.mp4"
missing='framepicker-cli: missing.mp4: “missing.mp4” could not be found.'

wait_for() { # SECONDS COMMAND...: until the command succeeds, at most that long
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do ((SECONDS < deadline)) || return 1; sleep 0.1; done
}
pane() { $tmux capture-pane -p -J -t "${1:-progress}" | sed '/^$/d'; }
ended() { [ -s "$work/status" ]; }
progress_or_end() { pane | grep -Eq '^long\.mp4 +[0-9]{1,2}%$' && touch "$work/seen" || ended; }

$tmux new-session -d -s progress -x 120 -y 20 -c "$work" \
  "'$cli' long.mp4 missing.mp4 >out.txt; echo \$? >status; sleep 60"
wait_for 30 progress_or_end && [ -e "$work/seen" ] || { echo "no progress line on the terminal:"; pane; exit 1; }
wait_for 60 ended || { echo "framepicker-cli did not end"; exit 1; }
[ "$(pane)" = "$missing" ] || { echo "the terminal shows more than the error line:"; pane; exit 1; }
[ "$(cat "$work/out.txt") $(cat "$work/status")" = "$work/long 1" ] || { echo "standard output:"; cat "$work/out.txt"; exit 1; }

cd "$work"
"$cli" long.mp4 missing.mp4 2>&1 >/dev/null | cat >err.txt || true
[ "$(cat err.txt)" = "$missing" ] || { echo "standard error in a pipe:"; od -c err.txt | head; exit 1; }

# In the background the shell writes meanwhile; on a terminal this narrow every line wraps.
$tmux new-session -d -s background -x 120 -y 20 -c "$work" \
  "bash -c 'set -m; { \"\$0\" long.mp4 missing.mp4 >/dev/null; echo >bg.status; } & sleep 1; echo typed' '$cli'; sleep 60"
$tmux new-session -d -s narrow -x 5 -y 20 -c "$work" "'$cli' long.mp4 missing.mp4 >/dev/null; echo >narrow.status; sleep 60"
wait_for 60 test -s bg.status -a -s narrow.status || { echo "framepicker-cli did not end"; exit 1; }
[ "$(pane background | sort)" = "$(printf '%s\n' "$missing" typed | sort)" ] || { echo "in the background:"; pane background; exit 1; }
[ "$(pane narrow)" = "$missing" ] || { echo "on a narrow terminal:"; pane narrow; exit 1; }
echo "progress on a terminal, erased at the end; none in a pipe, in the background or too narrow"
