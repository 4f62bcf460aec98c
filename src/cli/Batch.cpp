#include "Batch.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <map>
#include <thread>

namespace fs = std::filesystem;

namespace Cli {

FrameExtractor::OutputPlace outputPlaceUnder(const fs::path& dir, const fs::path& video)
{
    fs::path path = video.lexically_normal();
    if (path.is_absolute() || path.empty() || *path.begin() == "..") {
        std::error_code error;
        const fs::path absolute = fs::absolute(video, error);
        if (!error)
            path = absolute.lexically_normal().relative_path();
    }
    // Only real names: a normal path keeps "." alone, ".." in front and "" after a last "/".
    fs::path relative, name;
    for (const fs::path& part : path) {
        if (part.empty() || part == "." || part == ".." || part == "/")
            continue;
        relative /= name;
        name = part;
    }
    // The folder is reported by its whole path, wherever the process runs later.
    std::error_code error;
    const fs::path base = fs::absolute(dir, error);
    return {error ? dir : base, relative / FrameExtractor::outputFolderName(name)};
}

std::vector<FrameExtractor::OutputPlace> outputPlaces(const std::vector<std::string>& videos, const std::optional<fs::path>& output)
{
    std::vector<FrameExtractor::OutputPlace> places;
    for (const std::string& video : videos)
        places.push_back(output ? outputPlaceUnder(*output, video) : FrameExtractor::outputPlaceFor(video));
    return places;
}

BatchPlan planBatch(const std::vector<FrameExtractor::OutputPlace>& places, unsigned workers, bool inInputOrder)
{
    // One spelling for every way of naming the same folder.
    const auto sameFolderKey = [](const fs::path& folder) {
        std::error_code error;
        const fs::path canonical = fs::weakly_canonical(fs::absolute(folder), error);
        return error ? fs::absolute(folder).lexically_normal() : canonical;
    };
    BatchPlan plan{places.size(), workers, inInputOrder, {}};
    std::map<fs::path, std::size_t> lastWriter;
    for (std::size_t i = 0; i < places.size(); ++i) {
        auto [writer, isNew] = lastWriter.try_emplace(sameFolderKey(places[i].folder()), i);
        plan.after.push_back(isNew ? std::nullopt : std::optional(writer->second));
        writer->second = i;
    }
    return plan;
}

void runBatch(const BatchPlan& plan, const std::function<Outcome(std::size_t)>& job,
              const std::function<void(std::size_t, const Outcome&)>& report)
{
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::optional<Outcome>> outcomes(plan.count);
    std::deque<std::size_t> finished; // in the order the jobs finished
    std::size_t next = 0;             // the next video a worker takes

    auto work = [&] {
        for (;;) {
            std::size_t index;
            {
                std::unique_lock lock(mutex);
                if (next == plan.count)
                    return;
                index = next++;
                // The earlier video was taken before this one, so it is running or done.
                if (const auto before = plan.after[index])
                    changed.wait(lock, [&] { return outcomes[*before].has_value(); });
            }
            Outcome outcome = job(index);
            {
                std::lock_guard lock(mutex);
                outcomes[index] = std::move(outcome);
                finished.push_back(index);
            }
            changed.notify_all();
        }
    };
    std::vector<std::jthread> workers;
    const std::size_t count = std::clamp<std::size_t>(plan.workers, 1, std::max<std::size_t>(plan.count, 1));
    for (std::size_t i = 0; i < count; ++i)
        workers.emplace_back(work);

    for (std::size_t reported = 0; reported < plan.count; ++reported) {
        std::size_t index;
        Outcome outcome;
        {
            std::unique_lock lock(mutex);
            if (plan.inInputOrder) {
                index = reported;
                changed.wait(lock, [&] { return outcomes[index].has_value(); });
            } else {
                changed.wait(lock, [&] { return !finished.empty(); });
                index = finished.front();
                finished.pop_front();
            }
            outcome = *outcomes[index];
        }
        report(index, outcome);
    }
}

} // namespace Cli
