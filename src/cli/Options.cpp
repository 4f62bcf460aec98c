#include "Options.h"

#include <charconv>
#include <getopt.h>
#include <mutex>

namespace Cli {

namespace {

std::optional<unsigned> parseJobs(const std::string& text)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value == 0 || value > 1024)
        return std::nullopt;
    return value;
}

enum LongOnly { json = 256, unordered };

constexpr option longOptions[] = {
    {"jobs", required_argument, nullptr, 'j'},  {"output", required_argument, nullptr, 'o'},
    {"json", no_argument, nullptr, json},       {"unordered", no_argument, nullptr, unordered},
    {"quiet", no_argument, nullptr, 'q'},       {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},     {nullptr, 0, nullptr, 0},
};

} // namespace

Options parseOptions(const std::vector<std::string>& arguments, unsigned cores)
{
    // getopt_long keeps its place in globals.
    static std::mutex parsing;
    const std::lock_guard lock(parsing);
    std::vector<std::string> copies{"framepicker-cli"};
    copies.insert(copies.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(copies.size());

    Options options;
    options.jobs = cores;
    optind = 0; // start afresh
    opterr = 0; // the messages are ours
    for (int found; (found = getopt_long(argc, argv.data(), ":j:o:qhV", longOptions, nullptr)) != -1;) {
        // The option as it was given, for a message: a short one by its letter (it may share
        // its argument with others), a long one as the whole argument.
        const auto given = [&] {
            return found == '?' && optopt > 0 && optopt < 128 ? std::string("-") + static_cast<char>(optopt)
                                                             : std::string(argv[optind - 1]);
        };
        switch (found) {
        case 'j':
            if (const auto jobs = parseJobs(optarg))
                options.jobs = *jobs;
            else
                throw UsageError{"cli.badJobs %@", optarg};
            break;
        case 'o':
            if (*optarg == '\0')
                throw UsageError{"cli.emptyOutput", {}};
            options.output = optarg;
            break;
        case json: options.json = true; break;
        case unordered: options.inInputOrder = false; break;
        case 'q': options.quiet = true; break;
        case 'h': options.action = Options::Action::help; return options;
        case 'V': options.action = Options::Action::version; return options;
        case ':': throw UsageError{"cli.needsValue %@", given()};
        default: throw UsageError{"cli.unknownOption %@", given()};
        }
    }
    options.videos.assign(argv.begin() + optind, argv.end() - 1);
    if (options.videos.empty())
        throw UsageError{"cli.noVideo", {}};
    return options;
}

} // namespace Cli
