#!/bin/sh
# Builds the libFuzzer target with clang and the sanitizers into build-fuzz/ and runs it.
#   fuzz/run.sh [SECONDS]            default 600
# With FFMPEG_PREFIX set to an FFmpeg built by fuzz/build_ffmpeg.sh, the fuzzer also
# sees coverage inside FFmpeg's demuxers and decoders, which lets it go much deeper.
# Seeds are tiny clips made with the ffmpeg command-line tool; findings go to
# build-fuzz/artifacts/.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-600}
build=build-fuzz
if [ -n "${FFMPEG_PREFIX:-}" ]; then
    export PKG_CONFIG_PATH="$FFMPEG_PREFIX/lib/pkgconfig"
    build=build-fuzz-ffmpeg
fi
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFRAMEPICKER_FUZZ=ON -DFRAMEPICKER_SANITIZE=ON -DFRAMEPICKER_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" extract_fuzzer

seeds="$build/seeds"
if [ ! -d "$seeds" ]; then
    mkdir -p "$seeds"
    src="-f lavfi -i testsrc2=size=64x48:rate=10 -t 0.3"
    make_seed() { ffmpeg -v error -y $src "$@"; }
    make_seed -c:v libx264 -bf 2 -pix_fmt yuv420p "$seeds/h264.mp4"
    make_seed -c:v libx264 -pix_fmt yuv420p "$seeds/h264.mkv"
    make_seed -c:v mjpeg "$seeds/mjpeg.avi"
    make_seed -c:v png "$seeds/png.mov"
    make_seed -c:v mpeg2video -f vob "$seeds/mpeg2.mpg"
    make_seed -c:v libx264 -f mpegts "$seeds/h264.ts"
    make_seed -c:v libvpx "$seeds/vp8.webm"
    make_seed -c:v libx264 -metadata:s:v rotate=90 "$seeds/rotated.mp4"
fi
mkdir -p "$build/corpus" "$build/artifacts"
# A frame may be as large as 2^28 pixels (1 GiB of RGBA), so allow the memory for it.
exec "$build/extract_fuzzer" "$build/corpus" "$seeds" -max_len=20000 -max_total_time="$seconds" \
    -timeout=30 -rss_limit_mb=4096 -artifact_prefix="$build/artifacts/" -print_final_stats=1
