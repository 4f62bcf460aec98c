#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The jobs under way, on the terminal: one line per running job with its video's name and
// how far it has come, rewritten in place while the jobs run, never on standard output and
// never where standard error is not a terminal.
namespace Cli {

struct RunningJob {
    std::string video; // as given
    int percent = 0;
};

// The block's lines for the running jobs, in the order given: "NAME  42%", the name printable
// and shortened in its middle so that every line fits in `columns` less one (a line as wide
// as the terminal would wrap there), the percents one under the other. At most `rows` less
// one lines: jobs that do not fit are counted on the last one ("… +3"). None at all on a
// terminal too narrow to show some of a name with its percent, or of a single row.
std::vector<std::string> progressLines(const std::vector<RunningJob>& jobs, std::size_t columns, std::size_t rows);

class ProgressDisplay {
public:
    // Shows the block on standard error if `wanted` and standard error is a terminal that
    // understands cursor movement; otherwise it does nothing at all.
    explicit ProgressDisplay(bool wanted);
    ~ProgressDisplay();
    ProgressDisplay(const ProgressDisplay&) = delete;
    ProgressDisplay& operator=(const ProgressDisplay&) = delete;

    // From the jobs' threads: a job began, came as far as `done` (0 to 1), ended. A job shows
    // at most 99 % while it runs: its pair is not written before it has ended.
    void started(std::size_t job, const std::string& video);
    void progressed(std::size_t job, double done);
    void ended(std::size_t job);

    // Runs `printing` (which writes results or errors) with the block erased, and draws the
    // block again below what it printed.
    void printAside(const std::function<void()>& printing);

    // Erases the block for good: the batch is over, or the process is ending.
    void close();

    // For SIGTSTP (Ctrl+Z), taken by sigwait: erases the block and stops the process as the
    // signal would have; returns once the process is continued.
    void suspend();

private:
    using Clock = std::chrono::steady_clock;
    void changed();
    std::string erasing(); // the block drawn last, erased
    std::string drawing(); // the block as the jobs are now
    void redrawLater(std::stop_token stop);

    // Held while anything is written to the terminal: the block, or results with it erased.
    // Never while a job's thread waits, so a terminal that holds its output (Ctrl+S) holds
    // only the printing, not the jobs.
    std::timed_mutex m_terminal;
    std::size_t m_linesDrawn = 0;
    std::size_t m_widestDrawn = 0; // the columns of its widest line
    std::atomic<bool> m_closed = false;

    std::mutex m_mutex; // the jobs' state
    std::condition_variable_any m_changed;
    bool m_stale = false; // the jobs changed since the block was drawn
    std::map<std::size_t, RunningJob> m_jobs; // in input order
    Clock::time_point m_drawn{};
    std::jthread m_redrawing; // started with the first job, so it has the jobs' blocked signals
};

} // namespace Cli
