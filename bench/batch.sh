#!/usr/bin/env bash
# Batch work: 200 short clips (720p H.264, 3 s) in one framepicker-cli call with --jobs 2
# and with --jobs 1, against a shell loop of the ffmpeg command-line tool doing the same
# job (the first frame, then an accurate seek to the duration less one frame interval,
# worked out beforehand) and the same loop spread over two processes with xargs -P 2.
# Prints the median wall time of RUNS alternating runs and the peak memory of one process.
#   bench/batch.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
cli=${BUILD:-build}/src/cli/framepicker-cli
cmake --build "${BUILD:-build}" --target framepicker-cli >/dev/null
out=bench/out/batch; mkdir -p "$out"
if [ ! -f "$out/clip-199.mp4" ]; then
  for i in $(seq 0 9); do # ten different clips, each copied twenty times
    ffmpeg -v error -y -f lavfi -i "testsrc2=s=1280x720:r=30:d=3,noise=alls=$((8 + i)):allf=t" \
      -c:v libx264 -preset veryfast -g 90 -pix_fmt yuv420p "$out/clip-$i.mp4"
  done
  for i in $(seq 10 199); do cp "$out/clip-$((i % 10)).mp4" "$out/clip-$i.mp4"; done
fi
clips=(); for i in $(seq 0 199); do clips+=("$out/clip-$i.mp4"); done
. bench/timing.sh
t=$(last_time "$out/clip-0.mp4")
cat > "$out/ffmpeg-one.sh" <<SCRIPT
#!/usr/bin/env bash
v=\$1; mkdir -p "\${v%.mp4}-ff"
ffmpeg -v error -y -i "\$v" -frames:v 1 "\${v%.mp4}-ff/first.png" &&
  ffmpeg -v error -y -accurate_seek -ss $t -i "\$v" -frames:v 1 "\${v%.mp4}-ff/last.png"
SCRIPT
chmod +x "$out/ffmpeg-one.sh"

names=(jobs2 jobs1 loop xargs2)
for n in "${names[@]}"; do : > "$out/$n.txt"; done
echo "cores: $(nproc), 200 clips"
for i in $(seq "$runs"); do
  measure "$out/jobs2.txt" "$cli" --jobs 2 "${clips[@]}"
  measure "$out/jobs1.txt" "$cli" --jobs 1 "${clips[@]}"
  measure "$out/loop.txt" bash -c 'for v in "$@"; do "$0" "$v"; done' "$out/ffmpeg-one.sh" "${clips[@]}"
  measure "$out/xargs2.txt" bash -c 'printf "%s\0" "$@" | xargs -0 -n 1 -P 2 "$0"' "$out/ffmpeg-one.sh" "${clips[@]}"
done
labels=("framepicker-cli --jobs 2" "framepicker-cli --jobs 1" "ffmpeg, shell loop" "ffmpeg, xargs -P 2")
for k in 0 1 2 3; do
  n=${names[$k]}
  printf "%-26s %6.2f s  %5.1f clips/s  peak RSS %d MiB\n" "${labels[$k]}" \
    "$(cut -d' ' -f1 "$out/$n.txt" | median)" "$(cut -d' ' -f1 "$out/$n.txt" | median | awk '{print 200/$1}')" \
    $(( $(peak "$out/$n.txt") / 1024 ))
done
