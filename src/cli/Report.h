#pragma once

#include "Batch.h"
#include "Usage.h"
#include "texts/FailureText.h"

#include <string>
#include <string_view>

namespace Cli {

// What is printed for one video: on standard output its folder, or with `json` one JSON
// object ("video", then "folder", "first" and "last", or "error" and "kind"), with bytes
// of a name that are not UTF-8 as U+FFFD; on standard error, if it failed,
// "framepicker-cli: VIDEO: message". The message is in the user's language.
struct Lines {
    std::string out;
    std::string err;
};
Lines reportLines(const std::string& video, const Outcome& outcome, bool json);

// A failure's message for standard error: where the folder beside the video cannot be
// written, with how to write elsewhere (-o), as the window offers another folder.
std::string failureMessage(const FailureWords& failure);

// The line framepicker-cli --version prints for the worker's "worker confinement: Landlock
// ABI 7, seccomp, memory limit 1 GiB", in the user's language; words it does not know are
// kept as they come.
std::string confinementLine(const std::string& workerLine);

} // namespace Cli
