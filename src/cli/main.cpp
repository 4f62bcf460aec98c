// framepicker-cli: the main window's job for scripts and batch work.
#include "AppInfo.h"
#include "Batch.h"
#include "Options.h"
#include "Progress.h"
#include "Report.h"
#include "extraction/FrameExtractor.h"
#include "extraction/Worker.h"
#include "extraction/WorkerProtocol.h"
#include "texts/FailureText.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <limits>
#include <pthread.h>
#include <shared_mutex>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Each job may take up to its worker's limit of a gigabyte for the largest pictures, and the
// two images this process holds; more jobs at once than the memory holds would have the
// system kill them.
unsigned jobsTheMemoryAllows(unsigned wanted)
{
    constexpr std::uint64_t jobKibibytes = ((std::uint64_t{1} << 30) + 2 * FrameExtractor::WorkerProtocol::maxImageBytes) >> 10;
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kibibytes = 0;
    while (meminfo >> key >> kibibytes) {
        if (key == "MemAvailable:")
            return std::clamp<unsigned>(static_cast<unsigned>(std::min<std::uint64_t>(kibibytes / jobKibibytes, wanted)), 1, wanted);
        meminfo.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return wanted;
}

std::atomic<bool> stopping = false;
std::atomic<int> stoppedBy = 0; // the signal, once one came
// Held shared while a pair is put in place, so that a signal never ends the process between
// its two images or leaves a temporary file. Never while a job waits for its folder: that
// wait must not hold the process.
std::shared_mutex pairsBeingWritten;

// Once no pair is being written, ends the process as the signal would have (128 + its number).
[[noreturn]] void exitAsStopped()
{
    const std::unique_lock noPairBeingWritten(pairsBeingWritten);
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(128 + stoppedBy);
}

// SIGINT and SIGTERM stop the workers at once, erase the progress, let a pair being written
// finish, and end the process as the signal would (exit status 128 + its number). SIGTSTP
// (Ctrl+Z) erases the progress before the process stops. They are taken by one thread with
// sigwait; every other thread has them blocked.
void stopOnSignal(FrameExtractor::WorkerClient& workers, Cli::ProgressDisplay& progress)
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGTSTP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::thread([stopSignals, &workers, &progress] {
        int signal = 0;
        while (sigwait(&stopSignals, &signal) != 0 || signal == SIGTSTP) {
            if (signal == SIGTSTP)
                progress.suspend();
            signal = 0;
        }
        stoppedBy = signal;
        stopping = true;
        workers.stop();
        progress.close();
        exitAsStopped();
    }).detach();
}

} // namespace

int main(int argc, char** argv)
{
    const auto print = [](std::FILE* to, const std::string& text) {
        std::fputs(text.c_str(), to);
        std::fflush(to);
    };

    Cli::Options options;
    try {
        options = Cli::parseOptions({argv + 1, argv + argc}, std::max(1u, std::thread::hardware_concurrency()));
    } catch (const Cli::UsageError& error) {
        print(stderr, Cli::usageErrorLines(error, "framepicker-cli"));
        return 2;
    }
    if (options.action == Cli::Options::Action::help) {
        print(stdout, Cli::text("cli.usage"));
        return 0;
    }
    if (options.action == Cli::Options::Action::version) {
        print(stdout, std::string("framepicker-cli ") + AppInfo::version + "\n"
                          + Cli::confinementLine(FrameExtractor::describeConfinement(FrameExtractor::workerProgram())) + "\n");
        return 0;
    }

    const std::vector<FrameExtractor::OutputPlace> places = Cli::outputPlaces(options.videos, options.output);
    if (options.output) {
        std::error_code error;
        fs::create_directories(*options.output, error);
        if (error) {
            using FrameExtractor::Failure;
            const auto failure = std::make_exception_ptr(Failure(Failure::Kind::cannotCreateFolder, options.output->string(), error));
            print(stderr, Cli::errorLine(Cli::failureMessage(failureWords(failure, [](const char* key) { return Cli::text(key); }))));
            return 1;
        }
    }

    static FrameExtractor::WorkerClient workers(FrameExtractor::workerProgram());
    static Cli::ProgressDisplay progress(!options.quiet);
    stopOnSignal(workers, progress);
    const FrameExtractor::Decoder decoder = workers.decoder();
    int status = 0;
    Cli::runBatch(
        Cli::planBatch(places, jobsTheMemoryAllows(options.jobs), options.inInputOrder),
        [&](std::size_t i) {
            Cli::Outcome outcome;
            progress.started(i, options.videos[i]);
            try {
                const FrameExtractor::Frames frames = FrameExtractor::readFrames(
                    options.videos[i], decoder,
                    {.onProgress = [i](const FrameExtractor::Progress& now) { progress.progressed(i, now.done); }});
                outcome.folder = FrameExtractor::writePair(places[i], frames.first, frames.last,
                                                           {.cancelled = [] { return stopping.load(); },
                                                            .placing = &pairsBeingWritten});
            } catch (...) {
                outcome.error = std::current_exception();
            }
            progress.ended(i);
            return outcome;
        },
        [&](std::size_t i, const Cli::Outcome& outcome) {
            if (stopping)
                return; // the process is ending; a stopped job is no result
            const Cli::Lines lines = Cli::reportLines(options.videos[i], outcome, options.json);
            progress.printAside([&] {
                if (!lines.err.empty()) {
                    print(stderr, lines.err);
                    status = 1;
                }
                print(stdout, lines.out);
            });
        });
    progress.close();
    // The batch may have ended with the jobs a signal stopped.
    if (stopping)
        exitAsStopped();
    return status;
}
