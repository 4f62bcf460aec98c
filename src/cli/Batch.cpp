#include "Batch.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

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
