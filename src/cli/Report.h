#pragma once

#include "Batch.h"

#include <string>
#include <string_view>

namespace Cli {

// A name as the terminal shows it: control characters (a newline, an escape sequence) as
// backslash escapes, so every video keeps one line and nothing reaches the terminal as a
// command. Names without them are printed as they are.
std::string printable(std::string_view text);

// What is printed for one video: on standard output its folder, or with `json` one JSON
// object ("video", then "folder", "first" and "last", or "error" and "kind"), with bytes
// of a name that are not UTF-8 as U+FFFD; on standard error, if it failed,
// "framepicker-cli: VIDEO: message". The message is in the user's language.
struct Lines {
    std::string out;
    std::string err;
};
Lines reportLines(const std::string& video, const Outcome& outcome, bool json);

// The text of a translation key in the user's language (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG; English where no table matches); with an argument, that in place of its "%@".
std::string text(const char* key);
std::string text(const char* key, const std::string& argument);

// A message for standard error: "framepicker-cli: " and the message, printable.
std::string errorLine(const std::string& message);

} // namespace Cli
