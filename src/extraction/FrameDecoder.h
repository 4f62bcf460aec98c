#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

namespace FrameExtractor {

enum class Picture { first, last };

// Called with each picture as a complete PNG file's bytes, the first as soon as it is ready.
using EncodedHandler = std::function<void(Picture, std::vector<std::uint8_t> png)>;
// Called with the bytes the demuxer has read so far, after every read.
using ProgressHandler = std::function<void(std::uint64_t bytesRead)>;

// The untrusted half of the job, run in a confined worker: finds the first frame shown and
// the last frame shown of the video open on `fd`, as a player shows them, and encodes both.
// Reads nothing but `fd`. Failures are MediaError (named after `video`, which is used for
// messages only) and ExtractionError; running out of memory is a MediaError too; a video
// that needs libavfilter where it cannot be loaded is WorkerProtocol::LibraryNeeded.
void decodeFrames(int fd, const std::filesystem::path& video, const EncodedHandler& onPicture);
// The same, telling onProgress how far it has read as it goes.
void decodeFramesReporting(int fd, const std::filesystem::path& video, const EncodedHandler& onPicture,
                           const ProgressHandler& onProgress);

// Does once, in the worker's server before it forks, what every job would otherwise do
// again: the common decoders' shared tables computed, FFmpeg's logging set quiet.
void prepareDecoders();

// Loads, in the worker's server, the libraries that only some videos need (libavfilter, for
// HDR video), for the children forked from then on: a confined child opens no file. It
// costs every process that loads them about 40 ms, so a server loads them when a child
// first asked (WorkerProtocol::LibraryNeeded). False if they cannot be loaded.
bool loadLibraries();

// Whatever delivers a video's two pictures as decodeFrames does: decodeFrames itself, in
// this process (tests, the fuzzer), or a confined worker process (WorkerServer::decoder).
using Decoder = std::function<void(int fd, const std::filesystem::path& video, const EncodedHandler& onPicture)>;

} // namespace FrameExtractor
