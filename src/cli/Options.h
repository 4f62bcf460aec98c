#pragma once

#include "Usage.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// framepicker-cli's command line, parsed as getopt_long parses it: "-j4", "-j 4", "--jobs=4"
// and "--jobs 4" alike, short options together ("-hV"), options anywhere among the videos
// until "--", which ends them.
namespace Cli {

struct Options {
    enum class Action { run, help, version };
    Action action = Action::run;
    std::vector<std::string> videos;
    unsigned jobs = 1;
    std::optional<std::filesystem::path> output;
    bool json = false;
    bool inInputOrder = true;
    bool quiet = false; // no progress on the terminal
};

// The options of `arguments` (without the program's name); jobs defaults to `cores`.
// Throws UsageError.
Options parseOptions(const std::vector<std::string>& arguments, unsigned cores);

} // namespace Cli
