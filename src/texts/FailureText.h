#pragma once

#include "Sentence.h"

#include <exception>
#include <functional>
#include <string>
#include <utility>

// A failed job in the user's words: the sentence for what happened around the file's name,
// with the library's or the system's reason inside its tail (in the user's language too where
// it is one users meet, else as it comes), and whether another folder may help. The window
// and framepicker-cli both word failures here, each with its own way to the translation
// tables, and the window shows them as they are.
struct FailureWords : NamedSentence {
    FailureWords() = default;
    explicit FailureWords(NamedSentence sentence) : NamedSentence(std::move(sentence)) {}
    bool offersFolder = false;  // the folder beside the video cannot be written; another may do
    const char* kind = "other"; // the failure's stable name for scripts ("notFound"); "other"
                                // for a failure of no known kind
    std::string message() const { return whole(); }
};

// `textOf(key)` is the text of a translation key in the user's language.
FailureWords failureWords(const std::exception_ptr& failure, const std::function<std::string(const char* key)>& textOf);
