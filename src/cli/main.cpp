// framepicker-cli: the main window's job for scripts and batch work.
#include "AppInfo.h"
#include "Batch.h"
#include "extraction/FrameExtractor.h"
#include "extraction/Worker.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <charconv>
#include <cstdio>
#include <exception>
#include <fstream>
#include <limits>
#include <map>
#include <optional>
#include <pthread.h>
#include <shared_mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

void printUsage(std::FILE* to)
{
    std::fputs("Usage: framepicker-cli [OPTION]... VIDEO...\n"
               "Write the exact first and last frame of each VIDEO as first.png and last.png\n"
               "into a folder beside it named after it, and print that folder's path.\n"
               "\n"
               "  -j, --jobs N        work on up to N videos at once (default: the number of\n"
               "                      cores; 1 takes one after the other)\n"
               "  -o, --output DIR    put each video's folder under DIR, at the video's path\n"
               "                      as given (clips/a/trip.mov gives DIR/clips/a/trip; an\n"
               "                      absolute path, or one with .., its path from the root)\n"
               "      --json          print one JSON object per video instead of the folder\n"
               "      --unordered     print each result as it is ready, not in input order\n"
               "  -h, --help          show this help and exit\n"
               "  -V, --version       show the version and exit\n"
               "\n"
               "Results and errors have one line each, in the order the videos were given.\n"
               "Exit status: 0 if every video succeeded, 1 if any failed, 2 for a usage error.\n",
               to);
}

int usageError(const std::string& message)
{
    std::fprintf(stderr, "framepicker-cli: %s\n", message.c_str());
    std::fputs("Try 'framepicker-cli --help' for more information.\n", stderr);
    return 2;
}

// The length of the well-formed UTF-8 sequence at the start of the bytes, or 0.
std::size_t utf8Length(std::string_view bytes)
{
    const auto byte = [&](std::size_t k) { return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0u; };
    const unsigned lead = byte(0);
    if (lead < 0x80)
        return 1;
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    // The second byte's range excludes overlong forms, surrogates and code points past U+10FFFF.
    const unsigned second = byte(1);
    const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (length == 0 || second < low || second > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

// A JSON string of the bytes: quotes, backslashes and control characters escaped, and
// bytes that are not UTF-8 (a file name may hold any) replaced by U+FFFD.
std::string jsonString(std::string_view bytes)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
            ++i;
        } else if (const std::size_t length = utf8Length(bytes.substr(i)); length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out += bytes.substr(i, length);
            i += length;
        }
    }
    return out + "\"";
}

// A name as the terminal shows it: control characters (a newline, an escape sequence) as
// backslash escapes, so every video keeps one line and nothing reaches the terminal as a
// command. Names without them are printed as they are.
std::string printable(std::string_view text)
{
    const auto isControl = [&](std::size_t i) {
        const auto c = static_cast<unsigned char>(text[i]);
        // C1 controls, encoded in UTF-8 as C2 80 to C2 9F, are commands to many terminals too.
        return c < 0x20 || c == 0x7F
            || (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80
                && static_cast<unsigned char>(text[i + 1]) <= 0x9F);
    };
    bool any = false;
    for (std::size_t i = 0; i < text.size() && !any; ++i)
        any = isControl(i);
    if (!any)
        return std::string(text);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\') {
            out += "\\\\";
        } else if (isControl(i)) {
            const unsigned code = c == 0xC2 ? static_cast<unsigned char>(text[++i]) : c;
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", code);
            out += code == '\n' ? "\\n" : code == '\t' ? "\\t" : escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// Each job may take up to a gigabyte for the largest pictures; more jobs at once than the
// memory holds would have the system kill them.
unsigned jobsTheMemoryAllows(unsigned wanted)
{
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kibibytes = 0;
    while (meminfo >> key >> kibibytes) {
        if (key == "MemAvailable:")
            return std::clamp<unsigned>(static_cast<unsigned>(std::min<std::uint64_t>(kibibytes >> 20, wanted)), 1, wanted);
        meminfo.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return wanted;
}

// One spelling for every way of naming the same folder.
fs::path sameFolderKey(const fs::path& folder)
{
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(fs::absolute(folder), error);
    return error ? fs::absolute(folder).lexically_normal() : canonical;
}

std::optional<unsigned> parseJobs(const std::string& text)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value == 0 || value > 1024)
        return std::nullopt;
    return value;
}

std::atomic<bool> stopping = false;
std::atomic<int> stoppedBy = 0; // the signal, once one came
// Held shared while a pair is written, so that a signal never ends the process between its
// two images or leaves a temporary file.
std::shared_mutex pairsBeingWritten;

// Once no pair is being written, ends the process as the signal would have (128 + its number).
[[noreturn]] void exitAsStopped()
{
    const std::unique_lock noPairBeingWritten(pairsBeingWritten);
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(128 + stoppedBy);
}

// SIGINT and SIGTERM stop the workers at once, let a pair being written finish, and end the
// process as the signal would (exit status 128 + its number). They are taken by one thread
// with sigwait; every other thread has them blocked.
void stopOnSignal(FrameExtractor::WorkerServer& workers)
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals, &workers] {
        int signal = 0;
        while (sigwait(&signals, &signal) != 0) {
        }
        stoppedBy = signal;
        stopping = true;
        workers.stop();
        exitAsStopped();
    }).detach();
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> videos;
    unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
    std::optional<fs::path> outputDir;
    bool json = false, inInputOrder = true, optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        // An option's value: after "=", or the next argument.
        auto value = [&](const std::string& name, std::string& into) {
            if (argument.size() > name.size() && argument.compare(0, name.size() + 1, name + "=") == 0) {
                into = argument.substr(name.size() + 1);
                return true;
            }
            if (argument != name)
                return false;
            if (i + 1 >= argc)
                throw std::invalid_argument("option '" + name + "' needs a value");
            into = argv[++i];
            return true;
        };
        std::string given;
        try {
            if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
                videos.push_back(argument);
            } else if (argument == "--") {
                optionsEnded = true;
            } else if (argument == "-h" || argument == "--help") {
                printUsage(stdout);
                return 0;
            } else if (argument == "-V" || argument == "--version") {
                std::printf("framepicker-cli %s\n%s\n", AppInfo::version,
                            FrameExtractor::describeConfinement(FrameExtractor::workerProgram()).c_str());
                return 0;
            } else if (value("--jobs", given) || value("-j", given)) {
                const auto parsed = parseJobs(given);
                if (!parsed)
                    return usageError("'" + given + "' is not a number of jobs from 1 to 1024");
                jobs = *parsed;
            } else if (value("--output", given) || value("-o", given)) {
                if (given.empty())
                    return usageError("the output folder's name is empty");
                outputDir = given;
            } else if (argument == "--json") {
                json = true;
            } else if (argument == "--unordered") {
                inInputOrder = false;
            } else {
                return usageError("unknown option '" + argument + "'");
            }
        } catch (const std::invalid_argument& error) {
            return usageError(error.what());
        }
    }
    if (videos.empty())
        return usageError("no video given");

    BatchPlan plan{videos.size(), jobsTheMemoryAllows(jobs), inInputOrder, {}};
    std::vector<FrameExtractor::OutputPlace> places;
    std::map<fs::path, std::size_t> lastWriter;
    for (std::size_t i = 0; i < videos.size(); ++i) {
        places.push_back(outputDir ? FrameExtractor::outputPlaceUnder(*outputDir, videos[i])
                                   : FrameExtractor::outputPlaceFor(videos[i]));
        auto [writer, isNew] = lastWriter.try_emplace(sameFolderKey(places.back().folder()), i);
        plan.after.push_back(isNew ? std::nullopt : std::optional(writer->second));
        writer->second = i;
    }
    if (outputDir) {
        std::error_code error;
        fs::create_directories(*outputDir, error);
        if (error) {
            std::fprintf(stderr, "framepicker-cli: %s\n",
                         printable(FrameExtractor::OutputError(FrameExtractor::OutputError::Kind::cannotCreateFolder, error,
                                                               *outputDir)
                                       .what())
                             .c_str());
            return 1;
        }
    }

    static FrameExtractor::WorkerServer workers(FrameExtractor::workerProgram());
    stopOnSignal(workers);
    const FrameExtractor::Decoder decoder = workers.decoder();
    int status = 0;
    runBatch(
        plan,
        [&](std::size_t i) {
            Outcome outcome;
            try {
                const FrameExtractor::Frames frames = FrameExtractor::readFrames(videos[i], decoder);
                const std::shared_lock writing(pairsBeingWritten);
                if (stopping)
                    throw FrameExtractor::Cancelled();
                outcome.folder = FrameExtractor::writePair(places[i], frames.first, frames.last);
            } catch (const std::exception& error) {
                outcome.error = error.what();
            }
            return outcome;
        },
        [&](std::size_t i, const Outcome& outcome) {
            if (stopping)
                return; // the process is ending; a stopped job is no result
            if (!outcome.error.empty()) {
                std::fprintf(stderr, "framepicker-cli: %s: %s\n", printable(videos[i]).c_str(), printable(outcome.error).c_str());
                std::fflush(stderr);
                status = 1;
            }
            if (json) {
                std::string line = "{\"video\":" + jsonString(videos[i]);
                if (outcome.error.empty()) {
                    line += ",\"folder\":" + jsonString(outcome.folder.string())
                        + ",\"first\":" + jsonString((outcome.folder / "first.png").string())
                        + ",\"last\":" + jsonString((outcome.folder / "last.png").string());
                } else {
                    line += ",\"error\":" + jsonString(outcome.error);
                }
                std::printf("%s}\n", line.c_str());
            } else if (outcome.error.empty()) {
                std::printf("%s\n", printable(outcome.folder.string()).c_str());
            }
            std::fflush(stdout);
        });
    // The batch may have ended with the jobs a signal stopped.
    if (stopping)
        exitAsStopped();
    return status;
}
