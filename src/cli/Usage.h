#pragma once

#include <string>
#include <string_view>

// What both programs say on the command line, in the user's language from the tables compiled
// in: framepicker-cli throughout, the window's program for its help and its usage errors,
// which it answers before anything of Qt starts (so no display is needed for them).
namespace Cli {

// The text of a translation key in the user's language (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG; English where no table matches); with an argument, that in place of its "%@".
std::string text(const char* key);
std::string text(const char* key, const std::string& argument);

// A text as the terminal shows it: control characters (a newline, an escape sequence) as
// backslash escapes, so every message keeps its lines and nothing reaches the terminal as a
// command. Texts without them are printed as they are.
std::string printable(std::string_view text);

// A message for standard error: "PROGRAM: " and the message, printable.
std::string errorLine(const std::string& message, std::string_view program = "framepicker-cli");

// A command line that makes no sense: the key of its message in the translation tables, and
// the argument that goes into it (an option as it was given, a value); empty for keys
// without one.
struct UsageError {
    const char* key;
    std::string argument;
};

// What the program prints on standard error for it: the message, then where its help is.
std::string usageErrorLines(const UsageError& error, std::string_view program);

} // namespace Cli
