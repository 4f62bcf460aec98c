#!/usr/bin/env bash
# Peak memory of one framepicker-cli call on 10 and on 200 small videos: it must stay flat.
#   bench/cli_many.sh
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${BUILD:-build}/src/cli/framepicker-cli
out=bench/out/many; mkdir -p "$out"
[ -f "$out/clip-199.mp4" ] || {
  ffmpeg -v error -y -f lavfi -i testsrc2=s=640x360:r=30:d=1 -c:v libx264 -pix_fmt yuv420p "$out/clip-0.mp4"
  for i in $(seq 1 199); do cp "$out/clip-0.mp4" "$out/clip-$i.mp4"; done; }
for n in 10 200; do
  files=(); for i in $(seq 0 $((n - 1))); do files+=("$out/clip-$i.mp4"); done
  /usr/bin/time -f "%M" -o "$out/rss.txt" "$cli" "${files[@]}" >/dev/null
  echo "$n files: peak RSS $(( $(cat "$out/rss.txt") / 1024 )) MiB"
done
