#!/usr/bin/env bash
# Times framepicker-cli against the ffmpeg command-line tool doing the same job, in
# alternating runs, and prints medians, ratios and peak memory (maximum resident set size).
#   ffmpeg recipe: the first frame to PNG, then an accurate seek to the duration less one
#                  frame interval and that frame to PNG (the times are worked out beforehand,
#                  outside the measurement);
#                  For HDR video, ffmpeg's usual tone-mapping recipe (zscale and tonemap)
#                  is added to both runs;
#   decode bound:  the same two ffmpeg runs decoding to -f null, with no image written.
# Then it times the PNG encoder on one grainy 4K frame against ffmpeg's PNG encoder.
#   bench/run.sh [RUNS]      clips are made once into bench/out/ (several minutes)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
build=${BUILD:-build}
cli=$build/src/cli/framepicker-cli
cmake --build "$build" --target framepicker-cli png_bench >/dev/null
out=bench/out; mkdir -p "$out"
grain="noise=alls=20:allf=t"

# Camera-like 1080p: a phone's bit rate (20 Mbit/s) over heavy grain.
[ -f $out/h264.mp4 ] || ffmpeg -v error -y -f lavfi -i "testsrc2=s=1920x1080:r=30:d=30,$grain" \
  -c:v libx264 -preset veryfast -g 250 -b:v 20M -maxrate 25M -bufsize 25M -pix_fmt yuv420p $out/h264.mp4
# 4K 10-bit HEVC at about 70 Mbit/s.
[ -f $out/hevc10.mp4 ] || ffmpeg -v error -y -f lavfi -i "testsrc2=s=3840x2160:r=30:d=10,$grain" \
  -c:v libx265 -preset ultrafast -x265-params keyint=120:log-level=none -pix_fmt yuv420p10le $out/hevc10.mp4
# The same grain left at constant quality: about 110 Mbit/s, nearly all P frames. Decoding
# alone is most of the job here, for any tool that shows the exact frame.
[ -f $out/h264-heavy.mp4 ] || ffmpeg -v error -y -f lavfi -i "testsrc2=s=1920x1080:r=30:d=30,$grain" \
  -c:v libx264 -preset veryfast -g 250 -pix_fmt yuv420p $out/h264-heavy.mp4
# 4K HDR10 as a phone records it: PQ, BT.2020, 10-bit HEVC at 50 Mbit/s with mastering metadata.
[ -f $out/hdr10.mp4 ] || ffmpeg -v error -y -f lavfi -i "testsrc2=s=3840x2160:r=30:d=10,$grain" \
  -vf format=rgb24,zscale=min=gbr:tin=bt709:pin=bt709:rin=full:t=smpte2084:p=bt2020:m=bt2020nc:r=tv:npl=203,format=yuv420p10le \
  -c:v libx265 -preset ultrafast -b:v 50M -pix_fmt yuv420p10le \
  -x265-params "keyint=120:log-level=none:hdr10=1:max-cll=1000,400:master-display=G(13250,34500)B(7500,3000)R(34000,16000)WP(15635,16450)L(10000000,1)" \
  -color_primaries bt2020 -color_trc smpte2084 -colorspace bt2020nc $out/hdr10.mp4
tonemap="zscale=t=linear:npl=100,format=gbrpf32le,zscale=p=bt709,tonemap=tonemap=hable:desat=0,zscale=t=bt709:m=bt709:r=tv,format=rgb24"

. bench/timing.sh

echo "cores: $(nproc)"
for clip in h264 hevc10 h264-heavy hdr10; do
  v=$out/$clip.mp4; t=$(last_time "$v"); vf=""
  [ $clip = hdr10 ] && vf="-vf $tonemap"
  : > $out/fp.txt; : > $out/ff.txt; : > $out/bound.txt
  for i in $(seq "$runs"); do
    rm -rf "${v%.mp4}"
    measure $out/fp.txt $cli "$v"
    measure $out/ff.txt bash -c "ffmpeg -v error -y -i $v $vf -frames:v 1 $out/ff-first.png &&
      ffmpeg -v error -y -accurate_seek -ss $t -i $v $vf -frames:v 1 $out/ff-last.png"
    measure $out/bound.txt bash -c "ffmpeg -v error -i $v -frames:v 1 -f null - &&
      ffmpeg -v error -accurate_seek -ss $t -i $v -frames:v 1 -f null -"
  done
  fp=$(cut -d' ' -f1 $out/fp.txt | median); ff=$(cut -d' ' -f1 $out/ff.txt | median)
  bound=$(cut -d' ' -f1 $out/bound.txt | median)
  awk -v c=$clip -v a=$fp -v b=$ff -v n=$bound -v m=$(peak $out/fp.txt) -v f=$(peak $out/ff.txt) 'BEGIN{
    printf "%-10s framepicker %.2fs  ffmpeg %.2fs  ratio %.2f  decode bound %.2fs (framepicker/bound %.2f)  peak RSS %d MiB vs %d MiB\n",
      c, a, b, a/b, n, a/n, m/1024, f/1024}'
done

# One grainy 4K frame (8-bit RGB): our encoder against ffmpeg's on the same pixels.
ffmpeg -v error -y -i $out/hevc10.mp4 -frames:v 1 -pix_fmt rgb24 -f rawvideo $out/frame4k.rgb
ours=$($build/png_bench $out/frame4k.rgb 3840 2160 $out/ours4k.png 9)
: > $out/ffpng.txt
for i in $(seq "$runs"); do
  measure $out/ffpng.txt ffmpeg -v error -y -f rawvideo -pix_fmt rgb24 -s 3840x2160 -i $out/frame4k.rgb $out/ff4k.png
done
echo "4K PNG    framepicker $ours; ffmpeg $(cut -d' ' -f1 $out/ffpng.txt | median)s (whole run)" \
  "$(stat -c %s $out/ff4k.png) bytes"
rm -f $out/frame4k.rgb
