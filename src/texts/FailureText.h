#pragma once

#include <exception>
#include <functional>
#include <string>

// A failed job in the user's words: the sentence for what happened, naming the file, with
// the library's or the system's reason inside it (in the user's language too where it is
// one users meet, else as it comes), and whether another folder may help. The window and
// framepicker-cli both word failures here, each with its own way to the translation tables.
struct FailureWords {
    // The message's parts, the name kept apart: a window short of room shortens the name in
    // its middle, so the sentence's own words and the reason stay in view.
    std::string lead;           // the words before the name; the whole message if it names none
    std::string name;
    std::string tail;           // the words after it, the reason included
    bool offersFolder = false;  // the folder beside the video cannot be written; another may do
    const char* kind = "other"; // the failure's stable name for scripts ("notFound"); "other"
                                // for a failure of no known kind
    std::string message() const { return lead + name + tail; }
};

// A translated text with its "%@" replaced by the argument, literally and once.
std::string withArgument(std::string text, const std::string& argument);

// `textOf(key)` is the text of a translation key in the user's language.
FailureWords failureWords(const std::exception_ptr& failure, const std::function<std::string(const char* key)>& textOf);
