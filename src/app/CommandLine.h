#pragma once

#include "cli/Usage.h"

#include <string>
#include <vector>

// framepicker's command line, read before QApplication exists, so that help, version and a
// command line that makes no sense are answered without a display. Qt's own options
// (-platform NAME, -style NAME, -reverse, ...), with one dash or two as Qt takes them, are
// passed over here and left to QApplication; so are ours with one dash ("-about"). "--"
// ends the options.
struct CommandLine {
    enum class Action { run, help, version };
    Action action = Action::run;
    bool about = false;
    std::vector<std::string> videos;
};

// The options of `arguments` (without the program's name). Throws Cli::UsageError.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);
