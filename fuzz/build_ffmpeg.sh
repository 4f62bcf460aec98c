#!/bin/sh
# Builds FFmpeg from Debian's source package with libFuzzer's coverage instrumentation,
# limited to the containers and codecs the seeds use, and installs it into PREFIX.
#   fuzz/build_ffmpeg.sh SOURCE_DIR PREFIX
# SOURCE_DIR is an unpacked FFmpeg source (`apt-get source ffmpeg`, which needs a
# deb-src line in the apt sources). Then: FFMPEG_PREFIX=PREFIX fuzz/run.sh
set -eu
source_dir=$1
prefix=$2
cd "$source_dir"
./configure --prefix="$prefix" --cc=clang --cxx=clang++ --enable-shared --disable-static \
    --disable-programs --disable-doc --disable-x86asm --disable-everything --enable-zlib \
    --enable-protocol=file \
    --enable-demuxer=mov,matroska,avi,mpegps,mpegts,mpegvideo,h264,hevc,ivf \
    --enable-decoder=h264,hevc,mpeg4,mpeg1video,mpeg2video,mjpeg,png,vp8,vp9,prores,qtrle,h263,msmpeg4v3,rawvideo \
    --enable-parser=h264,hevc,mpeg4video,mpegvideo,mjpeg,png,vp8,vp9 \
    --extra-cflags="-fsanitize=fuzzer-no-link -g -O1" --extra-ldflags="-fsanitize=fuzzer-no-link"
make -j"$(nproc)"
make install
