#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What became of one video: its folder, or the message that says why not.
struct Outcome {
    std::filesystem::path folder;
    std::string error;
};

struct BatchPlan {
    std::size_t count = 0;
    unsigned workers = 1;
    bool inInputOrder = true;
    // For each video, an earlier one that must be finished before it starts (two videos
    // that write into the same folder run one after the other, in input order).
    std::vector<std::optional<std::size_t>> after;
};

// Runs job(i) for every video on up to plan.workers threads, and hands each outcome to
// report(i, outcome) on the calling thread: in input order, or as the jobs finish.
void runBatch(const BatchPlan& plan, const std::function<Outcome(std::size_t)>& job,
              const std::function<void(std::size_t, const Outcome&)>& report);
