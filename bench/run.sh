#!/usr/bin/env bash
# Times framepicker-cli against the ffmpeg command-line tool doing the same job (first
# frame; accurate seek to the duration less one frame interval), alternating runs, and
# prints medians, the ratio and peak memory (maximum resident set size).
#   bench/run.sh [RUNS]      clips are made once into bench/out/
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
cli=build/src/cli/framepicker-cli
out=bench/out; mkdir -p "$out"
grain="noise=alls=20:allf=t"
[ -f $out/h264.mp4 ] || ffmpeg -v error -y -f lavfi -i "testsrc2=s=1920x1080:r=30:d=30,$grain" \
  -c:v libx264 -preset veryfast -g 250 -pix_fmt yuv420p $out/h264.mp4
[ -f $out/hevc10.mp4 ] || ffmpeg -v error -y -f lavfi -i "testsrc2=s=3840x2160:r=30:d=10,$grain" \
  -c:v libx265 -preset ultrafast -x265-params keyint=120:log-level=none -pix_fmt yuv420p10le $out/hevc10.mp4

measure() { # prints "seconds maxrss_kb" for the command
  /usr/bin/time -f "%e %M" -o $out/time.txt "$@" >/dev/null 2>&1; cat $out/time.txt; }
ffmpeg_job() {
  local v=$1 d r last
  d=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$v")
  r=$(ffprobe -v error -select_streams v:0 -show_entries stream=avg_frame_rate -of csv=p=0 "$v")
  last=$(awk -v d="$d" -v r="$r" 'BEGIN{split(r,a,"/"); t=d-a[2]/a[1]; if(t<0)t=0; printf "%.6f", t}')
  ffmpeg -v error -y -i "$v" -frames:v 1 $out/ff-first.png &&
  ffmpeg -v error -y -accurate_seek -ss "$last" -i "$v" -frames:v 1 $out/ff-last.png; }
export -f ffmpeg_job; export out
median() { sort -n | awk '{a[NR]=$1} END{print (NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2}'; }

echo "cores: $(nproc)"
for clip in h264 hevc10; do
  v=$out/$clip.mp4; : > $out/fp.txt; : > $out/ff.txt
  for i in $(seq "$runs"); do
    measure $cli "$v" >> $out/fp.txt
    measure bash -c "ffmpeg_job $v" >> $out/ff.txt
  done
  fp=$(cut -d' ' -f1 $out/fp.txt | median); ff=$(cut -d' ' -f1 $out/ff.txt | median)
  fpm=$(cut -d' ' -f2 $out/fp.txt | sort -n | tail -1); ffm=$(cut -d' ' -f2 $out/ff.txt | sort -n | tail -1)
  awk -v c=$clip -v a=$fp -v b=$ff -v m=$fpm -v n=$ffm 'BEGIN{printf "%-7s framepicker %.2fs  ffmpeg %.2fs  ratio %.2f  peak RSS %d MiB vs %d MiB\n", c, a, b, a/b, m/1024, n/1024}'
done
