#pragma once

#include "extraction/OutputFolder.h"

#include <cstddef>
#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace Cli {

// What became of one video: its folder, or why not.
struct Outcome {
    std::filesystem::path folder;
    std::exception_ptr error;
};

struct BatchPlan {
    std::size_t count = 0;
    unsigned workers = 1;
    bool inInputOrder = true;
    // For each video, an earlier one that must be finished before it starts (two videos
    // that write into the same folder run one after the other, in input order).
    std::vector<std::optional<std::size_t>> after;
};

// Under --output DIR the folder keeps the video's path, so videos of the same name in
// different folders never share one, and a second run finds the folders of the first.
// A path that is absolute or climbs out with ".." is taken from the root
// (/m/trip.mov gives DIR/m/trip); the last name is made as outputPlaceFor makes it.
FrameExtractor::OutputPlace outputPlaceUnder(const std::filesystem::path& dir, const std::filesystem::path& video);

// Where each video's pair goes: beside it, or under `output`.
std::vector<FrameExtractor::OutputPlace> outputPlaces(const std::vector<std::string>& videos,
                                                      const std::optional<std::filesystem::path>& output);

// The plan for writing into those places: videos whose folder is the same one, however
// it is named, wait for the one before them.
BatchPlan planBatch(const std::vector<FrameExtractor::OutputPlace>& places, unsigned workers, bool inInputOrder);

// Runs job(i) for every video on up to plan.workers threads, and hands each outcome to
// report(i, outcome) on the calling thread: in input order, or as the jobs finish.
void runBatch(const BatchPlan& plan, const std::function<Outcome(std::size_t)>& job,
              const std::function<void(std::size_t, const Outcome&)>& report);

} // namespace Cli
