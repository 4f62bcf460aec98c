#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stop_token>
#include <vector>

namespace FrameExtractor {

enum class Picture { first, last };

// Called with each picture as a complete PNG file's bytes, the first as soon as it is ready.
using EncodedHandler = std::function<void(Picture, std::vector<std::uint8_t> png)>;
// How far a job has come: the bytes the demuxer has read so far, and the share of the reading
// done, from 0 to 1 and never falling. The reading is the first frame's, then the stretch from
// the key frame before the end to the end; a seek that steps back further makes the stretch
// longer, and the share then waits until the reading passes it again.
struct Progress {
    std::uint64_t bytesRead = 0;
    double done = 0;
};
using ProgressHandler = std::function<void(const Progress&)>;

// What the caller of a job may add: whom to tell of its progress (on the job's thread), and
// a stop that ends it at once with Cancelled.
struct JobControl {
    ProgressHandler onProgress = {};
    std::stop_token stop = {};
};

// The untrusted half of the job, run in a confined worker: finds the first frame shown and
// the last frame shown of the video open on `fd`, as a player shows them, and encodes both.
// Reads nothing but `fd`. Throws Failure naming `video` (used for messages only), out of
// memory included, or cannotSavePNG naming the image; a video that needs libavfilter where
// it cannot be loaded is WorkerProtocol::LibraryNeeded.
void decodeFrames(int fd, const std::filesystem::path& video, const EncodedHandler& onPicture, const JobControl& control = {});

// Does once, in the worker's server before it forks, what every job would otherwise do
// again: the common decoders' shared tables computed, FFmpeg's logging set quiet.
void prepareDecoders();

// Loads, in the worker's server, the libraries that only some videos need (libavfilter, for
// HDR video), for the children forked from then on: a confined child opens no file. It
// costs every process that loads them about 40 ms, so a server loads them when a child
// first asked (WorkerProtocol::LibraryNeeded). False if they cannot be loaded.
bool loadLibraries();

// Whatever delivers a video's two pictures as decodeFrames does: decodeFrames itself, in
// this process (tests, the fuzzer), or a confined worker process (WorkerClient::decoder).
using Decoder = std::function<void(int fd, const std::filesystem::path& video, const EncodedHandler& onPicture,
                                   const JobControl& control)>;

} // namespace FrameExtractor
