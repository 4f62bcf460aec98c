#pragma once

#include <QString>

#include <exception>

// A failed job in the user's language: the sentence for what happened, naming the file,
// with the library's or the system's reason inside it (in the user's language too where it
// is one users meet, else as it comes), and whether another folder may help. The window and
// framepicker-cli both word failures here.
struct FailureMessage {
    explicit FailureMessage(QString message) : lead(std::move(message)) {}
    FailureMessage(QString lead, QString name, QString tail) : lead(std::move(lead)), name(std::move(name)), tail(std::move(tail)) {}
    // The message's parts, the name kept apart: a window short of room shortens the name in
    // its middle, so the sentence's own words and the reason stay in view.
    QString lead;               // the words before the name; the whole message if it names none
    QString name;
    QString tail;               // the words after it, the reason included
    bool offersFolder = false;  // the folder beside the video cannot be written; another may do
    const char* kind = "other"; // the failure's stable name for scripts ("notFound"); "other"
                                // for a failure of no known kind
    QString message() const { return lead + name + tail; }
};

FailureMessage failureMessage(const std::exception_ptr& failure);
