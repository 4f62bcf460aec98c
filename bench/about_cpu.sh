#!/usr/bin/env bash
# CPU use of the whole application with the About window open under Xvfb: the process's
# user and system time over 20 s after a 3 s start, as a share of one core.
#   bench/about_cpu.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
app=${BUILD:-build}/src/app/framepicker
cmake --build "${BUILD:-build}" --target framepicker >/dev/null
export app seconds
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  ticks() { awk "{print \$14 + \$15}" /proc/$1/stat; }
  HOME=$(mktemp -d) "$app" --about & pid=$!
  sleep 3
  start=$(ticks $pid); sleep "$seconds"; end=$(ticks $pid)
  kill $pid
  awk -v a="$start" -v b="$end" -v s="$seconds" -v hz="$(getconf CLK_TCK)" \
    "BEGIN{printf \"About window open %d s: %.2f s CPU, %.1f %% of one core\n\", s, (b-a)/hz, 100*(b-a)/hz/s}"'
